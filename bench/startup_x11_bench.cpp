// Start-up time of whole programs as a user sees it: from process start until the program's
// first top-level window is mapped on the X server.
//
// Usage: startup_x11_bench [-n RUNS] LABEL=COMMAND [LABEL=COMMAND ...]
// COMMAND is split at blanks (no quoting). The programs are started in turn, each round in a
// rotated order so that none always runs right after another; each is ended as soon as its
// window is mapped. Prints the median per program and its ratio to the first one.
//
// Needs an X server without a window manager (Xvfb): a manager reparents the windows, and the
// map of the program's own window is then no longer seen on the root window.
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int launchTimeoutMs = 60000;

struct Candidate {
    std::string label;
    std::vector<std::string> argv;
    std::vector<double> times;
};

std::optional<Candidate> parseCandidate(const char* argument) {
    const char* equals = std::strchr(argument, '=');
    if (!equals || equals == argument)
        return std::nullopt;
    Candidate candidate;
    candidate.label.assign(argument, equals);
    std::istringstream words(equals + 1);
    for (std::string word; words >> word;)
        candidate.argv.push_back(word);
    if (candidate.argv.empty())
        return std::nullopt;
    return candidate;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

class MapWatcher {
public:
    bool connect() {
        m_connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_connection))
            return false;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_void_cookie_t cookie =
            xcb_change_window_attributes_checked(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
            std::free(error);
            return false; // another client (a window manager) holds the redirect
        }
        return true;
    }

    ~MapWatcher() {
        if (m_connection)
            xcb_disconnect(m_connection);
    }

    // Drops what earlier runs left in the queue; the round trip makes sure the server has sent
    // everything that happened before.
    void drain() {
        std::free(
            xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection))
            std::free(event);
    }

    // Waits for the first ordinary (not override-redirect) top-level window to be mapped; gives
    // up at the deadline or as soon as the program has ended without one (ended is then set:
    // the program has been waited for).
    bool waitForMap(Clock::time_point deadline, pid_t program, bool& ended) {
        const int fd = xcb_get_file_descriptor(m_connection);
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                const bool mapped =
                    (event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                    !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
                std::free(event);
                if (mapped)
                    return true;
            }
            if (xcb_connection_has_error(m_connection))
                return false;
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return false;
            if (waitpid(program, nullptr, WNOHANG) != 0) {
                ended = true;
                return false;
            }
            pollfd watch{fd, POLLIN, 0};
            const int slice = static_cast<int>(std::min<long long>(left.count(), 50));
            if (poll(&watch, 1, slice) < 0 && errno != EINTR)
                return false;
        }
    }

private:
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = 0;
};

// Milliseconds from fork until the program's window is mapped; nothing when it failed.
std::optional<double> timeLaunch(MapWatcher& watcher, const Candidate& candidate) {
    watcher.drain();
    std::vector<char*> argv;
    for (const std::string& word : candidate.argv)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        // The programs' chatter would only interleave with the report.
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0) {
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
        }
        execvp(argv[0], argv.data());
        _exit(127);
    }
    bool ended = false;
    const bool mapped =
        watcher.waitForMap(start + std::chrono::milliseconds(launchTimeoutMs), child, ended);
    const Clock::time_point end = Clock::now();
    if (!ended) {
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
    }
    if (!mapped)
        return std::nullopt;
    return std::chrono::duration<double, std::milli>(end - start).count();
}

} // namespace

int main(int argc, char* argv[]) {
    int runs = 7;
    std::vector<Candidate> candidates;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-n") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::optional<Candidate> candidate = parseCandidate(argv[i])) {
            candidates.push_back(*candidate);
        } else {
            std::fprintf(stderr, "startup_x11_bench: not LABEL=COMMAND: %s\n", argv[i]);
            return 2;
        }
    }
    if (candidates.empty()) {
        std::fprintf(stderr, "usage: startup_x11_bench [-n RUNS] LABEL=COMMAND ...\n");
        return 2;
    }

    MapWatcher watcher;
    if (!watcher.connect()) {
        std::fprintf(stderr, "startup_x11_bench: no X server, or a window manager is running\n");
        return 1;
    }

    // One untimed launch each, so that every program finds its libraries in the page cache.
    for (const Candidate& candidate : candidates) {
        if (!timeLaunch(watcher, candidate)) {
            std::fprintf(stderr, "startup_x11_bench: %s showed no window\n",
                         candidate.label.c_str());
            return 1;
        }
    }
    for (int round = 0; round < runs; ++round) {
        for (size_t k = 0; k < candidates.size(); ++k) {
            Candidate& candidate = candidates[(round + k) % candidates.size()];
            const std::optional<double> ms = timeLaunch(watcher, candidate);
            if (!ms) {
                std::fprintf(stderr, "startup_x11_bench: %s showed no window\n",
                             candidate.label.c_str());
                return 1;
            }
            candidate.times.push_back(*ms);
        }
    }

    const double reference = median(candidates.front().times);
    std::printf("runs: %d each, process start until the first window is mapped\n", runs);
    for (const Candidate& candidate : candidates) {
        const double m = median(candidate.times);
        const double fastest = *std::min_element(candidate.times.begin(), candidate.times.end());
        std::printf("%-24s median %7.1f ms (fastest %6.1f)   ratio to %s %.2f\n",
                    candidate.label.c_str(), m, fastest, candidates.front().label.c_str(),
                    m / reference);
    }
    return 0;
}
