// Dependencies point one way:
//   board ← store ← interaction ← recording, replay, counting, import, export, search
//         ← state ← shell ← screens ← app
// with src/ui, the platform layer, under the screens. The build links each logic layer only to
// the layers below it; this reads every include line of the sources, in any of its forms, and
// fails on one that points the other way or that is not written from src/.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path sourceRoot = fs::path(VORLETH_SOURCE_DIR) / "src";

// The layer of each top folder of src/. A file may include its own folder and the layers
// below its own.
const std::map<std::string, int> folderLayer = {
    {"board", 0},    {"store", 1},  {"interaction", 2}, {"recording", 3}, {"replay", 3},
    {"counting", 3}, {"import", 3}, {"export", 3},      {"search", 3},    {"state", 4},
    {"shell", 5},    {"ui", 6},     {"screens", 7},     {"app", 8},
};

// Peers of one layer stay apart but for these, each also linked in the build: the roads a game
// travels (recorded, counted) call the import directly, which brought it in.
const std::set<std::pair<std::string, std::string>> peerIncludes = {
    {"recording", "import"},
    {"counting", "import"},
};

// What the platform layer may include below it: it draws boards and figures, and answers
// questions.
const std::set<std::string> platformReaches = {"board", "store", "interaction", "export", "ui"};

struct Include {
    std::string written; // as on the line
    bool angled = false;
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<fs::path> sourceFiles() {
    std::vector<fs::path> all;
    for (const auto& entry : fs::recursive_directory_iterator(sourceRoot)) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".cpp" || ext == ".h")
            all.push_back(fs::relative(entry.path(), sourceRoot));
    }
    return all;
}

std::vector<Include> includesOf(const fs::path& file) {
    std::vector<Include> includes;
    const std::regex include(R"re(^\s*#\s*include\s*([<"])([^>"]+)[>"])re");
    std::ifstream in(sourceRoot / file);
    for (std::string line; std::getline(in, line);) {
        std::smatch m;
        if (std::regex_search(line, m, include))
            includes.push_back({m[2], m[1] == "<"});
    }
    return includes;
}

std::string topFolder(const fs::path& relative) {
    return relative.begin()->string();
}

// The screens' own subsystem: screens/recording/x.h is in "recording".
std::string screenSubsystem(const fs::path& relative) {
    auto it = relative.begin();
    return ++it == relative.end() ? std::string() : it->string();
}

TEST(Layering, IncludesPointDownTheLayersAndAreWrittenFromSrc) {
    const std::vector<fs::path> files = sourceFiles();
    ASSERT_GT(files.size(), 50u) << "no sources under " << sourceRoot;
    std::set<std::string> known;
    for (const fs::path& f : files)
        known.insert(f.generic_string());

    std::vector<std::string> violations;
    for (const fs::path& file : files) {
        const std::string from = topFolder(file);
        ASSERT_TRUE(folderLayer.count(from)) << "a folder of no layer: " << from;
        for (const Include& inc : includesOf(file)) {
            // Which project file is meant, however it is written.
            const fs::path besideFile = (file.parent_path() / inc.written).lexically_normal();
            const fs::path fromRoot = fs::path(inc.written).lexically_normal();
            std::string target;
            if (known.count(fromRoot.generic_string()))
                target = fromRoot.generic_string();
            else if (known.count(besideFile.generic_string()))
                target = besideFile.generic_string();
            else
                continue; // Qt, the standard library, a generated file
            const std::string why = file.generic_string() + " includes " + inc.written;
            if (inc.angled || inc.written != target) {
                violations.push_back(why + ": write project includes as \"" + target + "\"");
                continue;
            }
            const std::string to = topFolder(fs::path(target));
            if (from == to) {
                if (from == "screens" && screenSubsystem(file) != screenSubsystem(target))
                    violations.push_back(why + ": a screen includes another subsystem's screen");
                continue;
            }
            if (from == "ui" && !platformReaches.count(to)) {
                violations.push_back(why + ": the platform layer reaches above the interaction");
                continue;
            }
            const int fromLayer = folderLayer.at(from);
            const int toLayer = folderLayer.at(to);
            if (toLayer > fromLayer)
                violations.push_back(why + ": a lower layer includes a higher one");
            else if (toLayer == fromLayer && !peerIncludes.count({from, to}))
                violations.push_back(why + ": peers of one layer stay apart");
            else if (to == "ui" && fromLayer < folderLayer.at("ui"))
                violations.push_back(why + ": logic includes the platform layer");
        }
    }
    std::string report;
    for (const std::string& v : violations)
        report += v + "\n";
    EXPECT_TRUE(violations.empty()) << report;
}

// The board and the record store report what happened; only the screens and their controllers
// talk to the user.
TEST(Layering, BoardAndStoreNeverTakeDialogs) {
    std::vector<std::string> takers;
    for (const fs::path& file : sourceFiles()) {
        const std::string folder = topFolder(file);
        if (folder != "board" && folder != "store")
            continue;
        if (std::regex_search(readFile(sourceRoot / file), std::regex(R"(\bDialogs\b)")))
            takers.push_back(file.generic_string());
    }
    std::string report;
    for (const std::string& t : takers)
        report += t + "\n";
    EXPECT_TRUE(takers.empty()) << report;
}

} // namespace
