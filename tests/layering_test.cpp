// Dependencies point one way: board ← store ← interaction ← recording, replay, counting,
// import ← state ← shell and the screens ← app. This reads the sources' include lines and
// fails on every one that points the other way.

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

// The layer of each folder's logic (files built into vorleth_core). A core file may include
// its own layer and those below it.
const std::map<std::string, int> coreLayer = {
    {"board", 0},    {"store", 1},     {"interaction", 2}, {"import", 3}, {"replay", 3},
    {"counting", 3}, {"recording", 3}, {"state", 4},       {"shell", 5},
};

// Peers of one layer stay apart, but for these: the recording screens import games.
const std::set<std::pair<std::string, std::string>> peerIncludes = {
    {"recording", "import"},
};

struct Source {
    std::string folder;
    std::string path; // relative to src/, e.g. "board/board.h"
    bool gui = false; // a screen or the platform layer: built into vorleth_gui
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The files each folder's sources.cmake lists as GUI_SOURCES.
std::set<std::string> guiSources() {
    std::set<std::string> gui;
    const std::regex list(R"(list\(APPEND GUI_SOURCES([^)]*)\))");
    const std::regex file(R"([\w/]+\.cpp)");
    for (const auto& entry : fs::directory_iterator(sourceRoot)) {
        const fs::path cmake = entry.path() / "sources.cmake";
        if (!fs::exists(cmake))
            continue;
        const std::string text = readFile(cmake);
        for (std::sregex_iterator m(text.begin(), text.end(), list), end; m != end; ++m) {
            const std::string files = (*m)[1];
            for (std::sregex_iterator f(files.begin(), files.end(), file); f != end; ++f)
                gui.insert(f->str());
        }
    }
    return gui;
}

std::vector<Source> sources() {
    const std::set<std::string> gui = guiSources();
    std::vector<Source> all;
    for (const auto& entry : fs::recursive_directory_iterator(sourceRoot)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h")
            continue;
        Source s;
        s.path = fs::relative(entry.path(), sourceRoot).generic_string();
        s.folder = s.path.substr(0, s.path.find('/'));
        const std::string stem = s.path.substr(0, s.path.size() - ext.size());
        s.gui = s.folder == "ui" || gui.count(stem + ".cpp") > 0;
        all.push_back(s);
    }
    return all;
}

std::vector<std::string> projectIncludes(const fs::path& file) {
    std::vector<std::string> includes;
    const std::regex include(R"re(^\s*#\s*include\s+"([^"]+)")re");
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        std::smatch m;
        if (std::regex_search(line, m, include))
            includes.push_back(m[1]);
    }
    return includes;
}

TEST(Layering, IncludesPointDownTheLayers) {
    const std::vector<Source> all = sources();
    ASSERT_GT(all.size(), 50u) << "no sources under " << sourceRoot;
    std::map<std::string, const Source*> byPath;
    for (const Source& s : all)
        byPath[s.path] = &s;

    std::vector<std::string> violations;
    for (const Source& s : all) {
        if (s.folder == "app")
            continue; // the programs wire everything together
        for (const std::string& included : projectIncludes(sourceRoot / s.path)) {
            const auto target = byPath.find(included);
            if (target == byPath.end())
                continue; // a generated file or one of another project
            const Source& t = *target->second;
            const std::string why = s.path + " includes " + included;
            if (t.folder == "app") {
                violations.push_back(why + ": nothing includes the programs");
            } else if (!s.gui) {
                if (t.gui) {
                    violations.push_back(why + ": logic includes a screen or the platform layer");
                    continue;
                }
                const int from = coreLayer.at(s.folder);
                const int to = coreLayer.at(t.folder);
                const bool peer = from == to && s.folder != t.folder;
                if (to > from || (peer && !peerIncludes.count({s.folder, t.folder})))
                    violations.push_back(why + ": a lower layer includes a higher one");
            } else if (t.gui && t.folder != s.folder && t.folder != "ui") {
                violations.push_back(why + ": a screen includes another folder's screen");
            } else if (s.folder == "ui" && t.gui && t.folder != "ui") {
                violations.push_back(why + ": the platform layer includes a screen");
            }
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
    for (const Source& s : sources()) {
        if (s.folder != "board" && s.folder != "store")
            continue;
        const std::string text = readFile(sourceRoot / s.path);
        if (std::regex_search(text, std::regex(R"(\bDialogs\b)")))
            takers.push_back(s.path);
    }
    std::string report;
    for (const std::string& t : takers)
        report += t + "\n";
    EXPECT_TRUE(takers.empty()) << report;
}

} // namespace
