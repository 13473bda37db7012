#include "tests/support/ChildProcess.h"

#include "tests/support/TempDir.h"

#include <csignal>
#include <fcntl.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace kivo::test {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::string& stdoutPath, const std::string& stderrPath)
{
    pid_ = ::fork();
    if (pid_ != 0)
        return;
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(in, STDIN_FILENO);
    ::dup2(out, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
}

ChildProcess::~ChildProcess()
{
    if (pid_ > 0 && !status_) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

std::optional<int> ChildProcess::waitFor(int timeoutMs)
{
    for (int waited = 0; !status_ && pid_ > 0; waited += 10) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_)
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        else if (waited >= timeoutMs)
            break;
        else
            ::usleep(10'000);
    }
    return status_;
}

std::optional<int> ChildProcess::stop(int signal)
{
    if (pid_ > 0 && !status_)
        ::kill(pid_, signal);
    return waitFor(10'000);
}

bool ChildProcess::kill()
{
    if (pid_ <= 0 || waitFor(0))
        return false;
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      int timeoutMs)
{
    const TempDir dir;
    ProgramRun run;
    {
        ChildProcess child(program, args, dir.file("out").string(), dir.file("err").string());
        run.status = child.waitFor(timeoutMs).value_or(-1);
    }
    run.out = dir.read("out");
    run.err = dir.read("err");
    return run;
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

} // namespace kivo::test
