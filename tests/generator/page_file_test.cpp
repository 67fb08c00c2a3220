#include "generation_error.h"
#include "page_file.h"
#include "page_text.h"
#include "photo_names.h"
#include "process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/resource.h>

using namespace generator;

namespace {

struct TextCase {
    const char* input;
    const char* expected;
};

std::string readBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(PageText, Latin1Encoding)
{
    const TextCase cases[] = {
        {"<p>plain ASCII</p>", "<p>plain ASCII</p>"},
        {"Résolution été", "R\xE9solution \xE9t\xE9"},
        {"ÿ Ÿ", "\xFF &#376;"},
        {"Noël à 5 €", "No\xEBl \xE0 5 &#8364;"},
        {"😀", "&#128512;"},
        // Not UTF-8: a raw Latin-1 name, a cut sequence, an overlong form. Kept as bytes.
        {"\xE9t\xE9", "\xE9t\xE9"},
        {"fin\xC3", "fin\xC3"},
        {"\xC0\xAF", "\xC0\xAF"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(encodeLatin1(c.input), c.expected);
    }
}

TEST(PageText, NamesInUrls)
{
    const TextCase cases[] = {
        {"IMG_01.JPG", "IMG_01.JPG"},
        {"MA PHOTO.JPG", "MA PHOTO.JPG"},
        // Pages without a declared character set: only ASCII means the same in any.
        {"ÉTÉ.JPG", "%C3%89T%C3%89.JPG"},
        {"A+B(1)_c-d,e;f=g'h.JPG", "A+B(1)_c-d,e;f=g'h.JPG"},
        {"50%.JPG", "50%25.JPG"},
        {"N#1?.JPG", "N%231%3F.JPG"},
        {"\"<A&B>\".JPG", "%22%3CA%26B%3E%22.JPG"},
        {"RDV:10H30.JPG", "RDV%3A10H30.JPG"},
        {"A\\B.JPG", "A%5CB.JPG"},
        {" DEBUT.JPG", "%20DEBUT.JPG"},
        {"TAB\tLF\n.JPG", "TAB%09LF%0A.JPG"},
        // A Latin-1 name on disk: the link must carry those very bytes.
        {"\xC9T\xC9.JPG", "%C9T%C9.JPG"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(nameForUrl(c.input), c.expected);
    }
}

TEST(PageText, NamesInText)
{
    const TextCase cases[] = {
        {"IMG_01.JPG", "IMG_01.JPG"},
        {"ÉTÉ.JPG", "ÉTÉ.JPG"},
        {"50% #1?.JPG", "50% #1?.JPG"},
        {"\"<A&B>\".JPG", "&quot;&lt;A&amp;B&gt;&quot;.JPG"},
        {"\xC9T\xC9.JPG", "\xC9T\xC9.JPG"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(nameForText(c.input), c.expected);
    }
}

TEST(PageFile, WritesLatin1BytesFollowedByCrLf)
{
    fixtures::TempDir dir;
    const std::string name = adjustedName("été.jpg", true, true);
    ASSERT_EQ(name, "ÉTÉ.JPG");
    const std::string page = dir.file(photoPageName(name));
    // The title is written as typed, markup included; only the character set changes.
    writePage(page, "<title>" + nameForText(name) + "</title><img SRC=\"" + nameForUrl(name) + "\"><b>Noël & €</b>");
    EXPECT_EQ(readBytes(page), "<title>\xC9T\xC9.JPG</title><img SRC=\"%C3%89T%C3%89.JPG\"><b>No\xEBl & &#8364;</b>\r\n");
    EXPECT_TRUE(std::filesystem::exists(dir.file("ÉTÉ.html")));
}

// Lowers the file-size limit for this process, so a write fails part-way as on a full
// disk (this also stops root, unlike file modes).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(PageFile, FailedWriteLeavesTheEarlierPageIntact)
{
    fixtures::TempDir dir;
    const std::string page = dir.file("page01.html");
    writePage(page, "<html>ancienne page</html>");
    const std::string earlier = readBytes(page);

    {
        FileSizeLimit limit(16);
        try {
            writePage(page, "<html>" + std::string(4096, 'x') + "</html>");
            FAIL() << "a write beyond the size limit succeeded";
        } catch (const GenerationError& error) {
            EXPECT_NE(std::string(error.what()).find("impossible d'écrire la page « " + page + " »"), std::string::npos)
                << error.what();
        }
    }
    EXPECT_EQ(readBytes(page), earlier);
    // Nothing half-written is left beside it either.
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(PageFile, NameAsLongAsTheSystemAllows)
{
    // The temporary file beside it must not need a longer name than the page.
    fixtures::TempDir dir;
    const std::string page = dir.file(std::string(250, 'X') + ".html");
    writePage(page, "<html></html>");
    EXPECT_EQ(readBytes(page), "<html></html>\r\n");
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(PageFile, PageInAMissingOrBlockedFolderFailsNamingIt)
{
    fixtures::TempDir dir;
    {
        std::ofstream plain(dir.file("fichier"));
        plain << "pas un dossier";
    }
    const std::string paths[] = {dir.file("absent/page00.html"), dir.file("fichier/page00.html")};
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        try {
            writePage(path, "<html></html>");
            FAIL() << "no error";
        } catch (const GenerationError& error) {
            EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
        }
    }
    EXPECT_EQ(readBytes(dir.file("fichier")), "pas un dossier");
}

} // namespace
