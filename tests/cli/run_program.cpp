#include "run_program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

extern char** environ;

namespace cli_test {

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Environment(const EnvChanges& changes) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        if (!changes.contains(name)) env.push_back(text);
    }
    for (const auto& [name, value] : changes)
        if (!value.empty()) env.push_back(name + "=" + value);
    return env;
}

}  // namespace

std::vector<std::string> RunResult::ErrLines() const {
    std::vector<std::string> lines;
    std::istringstream in(err);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

RunResult RunTintora(const std::vector<std::string>& args, const EnvChanges& envChanges) {
    TempFolder capture;
    const std::string outPath = capture / "out", errPath = capture / "err";
    std::vector<std::string> argStrings{TINTORA_PROGRAM};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argStrings) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStrings = Environment(envChanges);
    std::vector<char*> envp;
    for (std::string& entry : envStrings) envp.push_back(entry.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, TINTORA_PROGRAM, &files, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0) throw std::runtime_error("cannot start " TINTORA_PROGRAM);
    int status = 0;
    waitpid(pid, &status, 0);

    RunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = ReadAll(outPath);
    result.err = ReadAll(errPath);
    return result;
}

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = test ? test->name() : "x";
    std::ranges::replace(name, '/', '_');
    path = fs::temp_directory_path() /
           ("tintora-cli-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + "-" + name);
    fs::remove_all(path);
    fs::create_directories(path);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

std::vector<std::string> TempFolder::Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path)) names.push_back(entry.path().filename().string());
    std::ranges::sort(names);
    return names;
}

}  // namespace cli_test
