#include "page_file.h"

#include "atomic_file.h"
#include "generation_error.h"
#include "page_text.h"

namespace generator {

void writePage(const std::string& path, const std::string& text)
{
    const std::string bytes = encodeLatin1(text + "\r\n");
    try {
        common::writeFileAtomically(path, bytes.data(), bytes.size());
    } catch (const std::system_error& error) {
        throw GenerationError("impossible d'écrire la page « " + path + " » : " + frenchReason(error.code()));
    }
}

} // namespace generator
