#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace dfe::appserver::testing {

// Runs the real dfe-server program, reading its standard output line by line.
class ServerProcess {
public:
    // With `input`, that text is the program's standard input.
    explicit ServerProcess(std::vector<std::string> args, const std::string* input = nullptr) {
        int out[2], in[2] = {-1, -1};
        if (pipe(out) != 0) throw std::runtime_error("pipe");
        if (input && pipe(in) != 0) throw std::runtime_error("pipe");
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            if (input) {
                dup2(in[0], STDIN_FILENO);
                close(in[0]);
                close(in[1]);
            }
            std::vector<char*> argv;
            argv.push_back(const_cast<char*>(DFE_SERVER_PROGRAM));
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(DFE_SERVER_PROGRAM, argv.data());
            _exit(127);
        }
        close(out[1]);
        if (input) {
            close(in[0]);
            // Small texts only: they fit the pipe, so writing never waits for the program.
            if (write(in[1], input->data(), input->size()) != static_cast<ssize_t>(input->size()))
                throw std::runtime_error("write");
            close(in[1]);
        }
        out_ = fdopen(out[0], "r");
    }
    ~ServerProcess() {
        if (pid_ > 0) {
            Signal(SIGKILL);
            Wait();
        }
        if (out_) fclose(out_);
    }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // The next line of output, without its line break; empty at end of output.
    std::string ReadLine() {
        char buf[4096];
        if (!fgets(buf, sizeof(buf), out_)) return {};
        std::string line(buf);
        if (!line.empty() && line.back() == '\n') line.pop_back();
        return line;
    }
    // Reads up to the "escutando em host:port" line and returns the port (0 when it never came).
    int WaitListening() {
        for (int i = 0; i < 20; ++i) {
            const std::string line = ReadLine();
            if (line.empty()) return 0;
            const size_t colon = line.rfind(':');
            if (line.find("escutando em") != std::string::npos && colon != std::string::npos) {
                return std::stoi(line.substr(colon + 1));
            }
        }
        return 0;
    }
    void Signal(int sig) {
        if (pid_ > 0) kill(pid_, sig);
    }
    // The exit status (or 128 + signal).
    int Wait() {
        int status = 0;
        if (pid_ <= 0) return -1;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    pid_t pid_ = -1;
    FILE* out_ = nullptr;
};

// Runs the program to its end and returns its exit status and standard output.
inline std::pair<int, std::string> RunServerProgram(std::vector<std::string> args,
                                                    const std::string* input = nullptr) {
    ServerProcess p(std::move(args), input);
    std::string all, line;
    while (!(line = p.ReadLine()).empty())
        all += line + "\n";
    return {p.Wait(), all};
}

} // namespace dfe::appserver::testing
