#include "generation_error.h"

#include <cerrno>

namespace generator {

std::string frenchReason(const std::error_code& code)
{
    if (code.category() == std::generic_category() || code.category() == std::system_category()) {
        switch (code.value()) {
        case ENOENT: return "fichier ou dossier introuvable";
        case ENOTDIR: return "un élément du chemin n'est pas un dossier";
        case EISDIR: return "c'est un dossier";
        case EACCES:
        case EPERM: return "accès refusé";
        case EROFS: return "support en lecture seule";
        case ENOSPC: return "plus de place sur le disque";
        case EDQUOT: return "quota disque dépassé";
        case EFBIG: return "fichier trop grand pour la limite de taille des fichiers";
        case ENAMETOOLONG: return "nom trop long";
        default: break;
        }
    }
    return code.message();
}

} // namespace generator
