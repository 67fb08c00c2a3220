#include "program_names.h"
#include "resize_job.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

void printLine(const std::string& text)
{
    std::fputs(text.c_str(), stdout);
    std::fputs("\r\n", stdout);
}

void printUsage()
{
    const std::string program = common::kResizerProgram;
    printLine("Usage: " + program + " [size] [input] [output]");
    printLine("Example: " + program + " 640 input.jpg output.jpg");
}

void printHelp()
{
    printUsage();
    printLine("");
    printLine("R\xC3\xA9" "duit ou agrandit une image JPEG pour que son plus grand c\xC3\xB4t\xC3\xA9 mesure [size] pixels");
    printLine("(filtre Lanczos3), et l'enregistre en JPEG de qualit\xC3\xA9 90 sous [output].");
    printLine("Une entr\xC3\xA9" "e progressive donne une sortie progressive ; une entr\xC3\xA9" "e en niveaux de gris");
    printLine("donne une image RVB grise. Un fichier de sortie existant n'est remplac\xC3\xA9 qu'une fois");
    printLine("la nouvelle image enti\xC3\xA8rement \xC3\xA9" "crite.");
    printLine("");
    printLine("Statut de sortie : 0 image \xC3\xA9" "crite, 1 \xC3\xA9" "chec (taille invalide ou image non produite),");
    printLine("2 mauvais nombre d'arguments.");
}

} // namespace

int main(int argc, char** argv)
{
    // Under a file-size limit the write fails (EFBIG), the temporary file is removed and the
    // job reports its failure, instead of the limit killing the process mid-write.
    std::signal(SIGXFSZ, SIG_IGN);
    printLine("Quillot JPEG Resizer CMD 0.1");
    const int count = argc - 1;
    if (count == 0) {
        printUsage();
        return 0;
    }
    if (count == 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        printHelp();
        return 0;
    }
    if (count == 1 && std::strcmp(argv[1], "--version") == 0)
        return 0;
    if (count != 3)
        return 2;

    const auto size = resizer::parseSizeArgument(argv[1]);
    if (!size) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s: '%s' is not a valid integer value\r\n", common::kResizerProgram, argv[1]);
        return 1;
    }
    const std::string input = argv[2];
    const std::string name = resizer::displayName(input);
    try {
        resizer::resizeJpegFile(*size, input, argv[3]);
    } catch (const std::exception&) {
        printLine("Failed to resize " + name + "!");
        return 1;
    }
    printLine("Successfully resized " + name + ".");
    return 0;
}
