#include "headless.h"
#include "program_names.h"

#include <cstdio>

// varnook built without its window: only the run without a window is there.
int main(int argc, char** argv)
{
    if (argc <= 1) {
        std::fprintf(stderr, "%s : la fenêtre n'a pas été construite (compilé sans Qt) ; seule la réalisation "
                             "sans fenêtre est disponible.\n\n%s",
                     common::kAlbumProgram, generator::headlessHelpText().c_str());
        return 2;
    }
    return generator::headlessMain(argc, argv);
}
