// Linux file dialogs: zenity or kdialog run as a child process. The frame's idle
// polls the child's output, so the user-interface thread never blocks.
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include "../../fileselectorbackend.h"
#include "vstgui/lib/cframe.h"

extern char** environ;

namespace VSTGUI {
namespace {

std::string findInPath(const char* program) {
    const char* path = std::getenv("PATH");
    if (!path)
        return {};
    std::string all = path;
    size_t start = 0;
    while (start <= all.size()) {
        size_t end = all.find(':', start);
        if (end == std::string::npos)
            end = all.size();
        std::string dir = all.substr(start, end - start);
        if (!dir.empty()) {
            std::string candidate = dir + "/" + program;
            if (access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return {};
}

// Where the dialog starts: the initial folder (with a trailing slash, which both dialogs
// read as a folder) and, when saving, the default name in it.
std::string startPath(const CNewFileSelector* s) {
    std::string path = s->getInitialDirectory();
    if (!path.empty() && path.back() != '/')
        path += '/';
    if (s->getStyle() == CNewFileSelector::kSelectSaveFile)
        path += s->getDefaultSaveName();
    return path;
}

std::vector<std::string> zenityArguments(const std::string& exe, const CNewFileSelector* s) {
    std::vector<std::string> args{exe, "--file-selection"};
    if (!s->getTitle().empty())
        args.push_back("--title=" + s->getTitle());
    if (s->getStyle() == CNewFileSelector::kSelectSaveFile) {
        args.push_back("--save");
        args.push_back("--confirm-overwrite");
    } else if (s->getStyle() == CNewFileSelector::kSelectDirectory) {
        args.push_back("--directory");
    }
    if (!startPath(s).empty())
        args.push_back("--filename=" + startPath(s));
    std::vector<CFileExtension> filters;
    if (s->getDefaultExtension())
        filters.push_back(*s->getDefaultExtension());
    for (const auto& e : s->getFileExtensions())
        if (!s->getDefaultExtension() || !(e == *s->getDefaultExtension()))
            filters.push_back(e);
    for (const auto& e : filters)
        args.push_back("--file-filter=" + e.getDescription() + " | *." + e.getExtension());
    return args;
}

std::vector<std::string> kdialogArguments(const std::string& exe, const CNewFileSelector* s) {
    std::vector<std::string> args{exe};
    bool save = s->getStyle() == CNewFileSelector::kSelectSaveFile;
    args.push_back(s->getStyle() == CNewFileSelector::kSelectDirectory ? "--getexistingdirectory"
                   : save                                              ? "--getsavefilename"
                                                                       : "--getopenfilename");
    args.push_back(startPath(s).empty() ? "." : startPath(s));
    std::string filter;
    for (const auto& e : s->getFileExtensions()) {
        if (!filter.empty())
            filter += "\n";
        filter += "*." + e.getExtension() + "|" + e.getDescription();
    }
    if (!filter.empty())
        args.push_back(filter);
    if (!s->getTitle().empty()) {
        args.push_back("--title");
        args.push_back(s->getTitle());
    }
    return args;
}

class ProcessFileSelector : public FileSelectorBackend {
public:
    ProcessFileSelector(std::string exe, bool kdialog)
        : program(std::move(exe)), isKdialog(kdialog) {}
    ~ProcessFileSelector() override { stopChild(); }

    bool run(CNewFileSelector* s) override {
        selector = s;
        frame = s->getFrame();
        args = isKdialog ? kdialogArguments(program, s) : zenityArguments(program, s);
        if (!frame)
            return false;
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        fcntl(fds[0], F_SETFD, FD_CLOEXEC);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[1]);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        if (rc != 0) {
            close(fds[0]);
            pid = -1;
            return false;
        }
        readFd = fds[0];
        fcntl(readFd, F_SETFL, fcntl(readFd, F_GETFL) | O_NONBLOCK);
        frame->addIdleCallback(
            this, [this] { poll(); }, [this] { frameClosed(); });
        return true;
    }

    void cancel() override { stopChild(); }

private:
    // The window closes before the user answered: end the dialog and report a cancel.
    void frameClosed() {
        frame = nullptr;
        stopChild();
        CNewFileSelector* s = selector;
        selector = nullptr;
        if (s)
            s->finish({});  // may destroy this backend: nothing may follow
    }

    void poll() {
        char buf[4096];
        for (;;) {
            ssize_t n = read(readFd, buf, sizeof(buf));
            if (n > 0) {
                output.append(buf, static_cast<size_t>(n));
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                return;  // still running
            break;       // end of output
        }
        int status = 0;
        if (waitpid(pid, &status, 0) < 0) {
            // The host reaps children itself (SIGCHLD ignored): judge by the output.
            status = output.empty() ? (1 << 8) : 0;
        }
        pid = -1;
        close(readFd);
        readFd = -1;
        frame->removeIdleCallback(this);
        CNewFileSelector* s = selector;
        selector = nullptr;
        // Exit status 1 is the user's cancel; anything else means the dialog
        // could not be shown (no display, broken install): ask inside the window.
        if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) {
            s->fallBackToInFrame();  // destroys this backend: nothing may follow
            return;
        }
        std::vector<UTF8String> files;
        if (status == 0) {
            while (!output.empty() && (output.back() == '\n' || output.back() == '\r'))
                output.pop_back();
            if (!output.empty())
                files.push_back(output.substr(0, output.find('\n')));
        }
        s->finish(std::move(files));  // may destroy this backend: nothing may follow
    }

    void stopChild() {
        if (frame)
            frame->removeIdleCallback(this);
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
            pid = -1;
        }
        if (readFd >= 0) {
            close(readFd);
            readFd = -1;
        }
    }

    std::string program;
    bool isKdialog;
    std::vector<std::string> args;
    CNewFileSelector* selector{nullptr};
    CFrame* frame{nullptr};
    pid_t pid{-1};
    int readFd{-1};
    std::string output;
};

}  // namespace

std::unique_ptr<FileSelectorBackend> createNativeFileSelector() {
    std::string exe = findInPath("zenity");
    if (!exe.empty())
        return std::make_unique<ProcessFileSelector>(exe, false);
    exe = findInPath("kdialog");
    if (!exe.empty())
        return std::make_unique<ProcessFileSelector>(exe, true);
    return nullptr;
}

}  // namespace VSTGUI
