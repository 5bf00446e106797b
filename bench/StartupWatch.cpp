// Starts a program and reports how long it takes until its first top-level window is mapped,
// the processor time its threads have used by then, and optionally its resident memory a while
// after that. It watches the root window for MapNotify, so the figure is the one a user sees:
// process start to window on the screen. The processor time hardly moves when other programs
// load the machine, which the time to the screen does a lot.
//   startup_watch [--rss-after MS] PROGRAM [ARGS...]
// prints "mapped_ms=<milliseconds> cpu_ms=<milliseconds> rss_kb=<kilobytes or 0>" and exits 0,
// or exits 1 when the program ends or ten seconds pass without a window.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kGiveUpAfter = std::chrono::seconds(10);

struct Options {
    int rssAfterMs = -1;
    char** command = nullptr;
};

bool parseOptions(int argc, char** argv, Options& options) {
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--rss-after") == 0) {
        options.rssAfterMs = std::atoi(argv[2]);
        first = 3;
    }
    if (first >= argc) {
        return false;
    }
    options.command = argv + first;
    return true;
}

// Asks for MapNotify of every child of the root and waits until the server has done so, so
// that no map can slip past before the program starts.
bool watchRoot(xcb_connection_t* connection, xcb_window_t root) {
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const xcb_void_cookie_t cookie =
        xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &mask);
    std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error(
        xcb_request_check(connection, cookie), &std::free);
    return error == nullptr;
}

pid_t launch(char** command) {
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(command[0], command);
        std::perror(command[0]);
        _exit(127);
    }
    return pid;
}

bool isTopLevelMap(const xcb_generic_event_t* event, xcb_window_t root) {
    if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) {
        return false;
    }
    const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
    return map->event == root && map->override_redirect == 0;
}

bool childEnded(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == pid;
}

// Waits for the first top-level map; false when the program ends or gives no window in time.
bool waitForMap(xcb_connection_t* connection, xcb_window_t root, pid_t pid) {
    const auto deadline = Clock::now() + kGiveUpAfter;
    pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (Clock::now() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const bool mapped = isTopLevelMap(event, root);
            std::free(event);
            if (mapped) {
                return true;
            }
        }
        if (xcb_connection_has_error(connection) != 0 || childEnded(pid)) {
            return false;
        }
        poll(&descriptor, 1, 50);
    }
    return false;
}

long residentKilobytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kilobytes = 0;
            status >> kilobytes;
            return kilobytes;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

// The time the program's threads have run on a processor, from the scheduler's nanosecond
// accounting (the first field of each thread's schedstat).
double processorMilliseconds(pid_t pid) {
    std::error_code error;
    std::filesystem::directory_iterator tasks("/proc/" + std::to_string(pid) + "/task", error);
    double nanoseconds = 0;
    for (const auto& task : tasks) {
        std::ifstream schedstat(task.path() / "schedstat");
        double onProcessor = 0;
        if (schedstat >> onProcessor) {
            nanoseconds += onProcessor;
        }
    }
    return nanoseconds / 1e6;
}

void stop(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s [--rss-after MS] PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "startup_watch: no X display\n");
        return 2;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i) {
        xcb_screen_next(&screens);
    }
    const xcb_window_t root = screens.data->root;
    if (!watchRoot(connection, root)) {
        std::fprintf(stderr, "startup_watch: cannot watch the root window\n");
        return 2;
    }

    const auto start = Clock::now();
    const pid_t pid = launch(options.command);
    if (pid < 0 || !waitForMap(connection, root, pid)) {
        std::fprintf(stderr, "startup_watch: %s showed no window\n", options.command[0]);
        if (pid > 0) {
            stop(pid);
        }
        return 1;
    }
    const std::chrono::duration<double, std::milli> mapped = Clock::now() - start;
    const double processor = processorMilliseconds(pid);

    long rss = 0;
    if (options.rssAfterMs >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(options.rssAfterMs));
        rss = residentKilobytes(pid);
    }
    stop(pid);
    xcb_disconnect(connection);
    std::printf("mapped_ms=%.2f cpu_ms=%.2f rss_kb=%ld\n", mapped.count(), processor, rss);
    return 0;
}
