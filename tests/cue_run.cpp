// A player of cues as the program plays them, for the cue tests that need one
// of their own: fresh, with the cue files beside a copy of it, or pointed at a
// sound server of their own. Each line on its standard input names what to
// do, "digit", "function" or "prepare"; it answers "done" once the call has
// returned, and ends with its input.
#include "desktop/cues.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    char line[64];
    while (std::fgets(line, sizeof line, stdin)) {
        if (!std::strcmp(line, "prepare\n"))
            Cues::prepare();
        else
            Cues::play(std::strcmp(line, "function\n") ? Cue::Digit : Cue::Function);
        std::puts("done");
        std::fflush(stdout);
    }
    return 0;
}
