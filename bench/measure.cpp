// kalkomat-measure: runs a command with its standard input and output taken from files, and prints its
// exit status, wall-clock seconds and peak resident memory. The benchmark script needs it because GNU
// time is not on every machine.
//   kalkomat-measure INPUT OUTPUT COMMAND [ARGS...]
#include <chrono>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: kalkomat-measure INPUT OUTPUT COMMAND [ARGS...]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("kalkomat-measure: fork");
        return 2;
    }
    if (child == 0) {
        const int in = open(argv[1], O_RDONLY);
        const int out = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0) {
            std::perror("kalkomat-measure");
            _exit(127);
        }
        close(in);
        close(out);
        execvp(argv[3], argv + 3);
        std::perror("kalkomat-measure: exec");
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) < 0) {
        std::perror("kalkomat-measure: wait4");
        return 2;
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    std::printf("status %d\nseconds %.4f\npeak_kib %ld\n", WIFEXITED(status) ? WEXITSTATUS(status) : 128,
                seconds.count(), usage.ru_maxrss);
    return 0;
}
