#include "photo_names.h"

#include <gtest/gtest.h>

#include <string>

using namespace generator;

namespace {

struct NameCase {
    const char* listed;
    bool upperName;
    bool upperExtension;
    const char* adjusted;
    const char* page;
};

TEST(PhotoNames, AdjustedAndPageNames)
{
    const NameCase cases[] = {
        {"Img_01.Jpg", true, true, "IMG_01.JPG", "IMG_01.html"},
        {"Img_01.Jpg", true, false, "IMG_01.jpg", "IMG_01.html"},
        {"Img_01.Jpg", false, true, "img_01.JPG", "img_01.html"},
        {"Img_01.Jpg", false, false, "img_01.jpg", "img_01.html"},
        // The stem ends at the first dot: later dots belong to the extension.
        {"a.b.JPG", true, true, "A.B.JPG", "A.html"},
        {"a.c.JPG", true, true, "A.C.JPG", "A.html"},
        {"a.b.JPG", false, true, "a.B.JPG", "a.html"},
        {"ma photo.jpg", true, true, "MA PHOTO.JPG", "MA PHOTO.html"},
        // Letters beyond ASCII change case too.
        {"été.jpg", true, true, "ÉTÉ.JPG", "ÉTÉ.html"},
        {"ÉTÉ.JPG", false, false, "été.jpg", "été.html"},
        {"Ærø Œuvre.jpg", false, true, "ærø œuvre.JPG", "ærø œuvre.html"},
        // Not UTF-8 (a Latin-1 é on disk): that part is kept byte for byte, the other
        // part still changes.
        {"\xE9t\xE9.jpg", true, true, "\xE9t\xE9.JPG", "\xE9t\xE9.html"},
        {"\xE9t\xE9.jpg", false, false, "\xE9t\xE9.jpg", "\xE9t\xE9.html"},
        // No dot at all: the whole name is the stem and the page still gets its own name.
        {"sansextension", true, true, "SANSEXTENSION", "SANSEXTENSION.html"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(std::string(c.listed) + " " + (c.upperName ? "N" : "n") + (c.upperExtension ? "E" : "e"));
        const std::string adjusted = adjustedName(c.listed, c.upperName, c.upperExtension);
        EXPECT_EQ(adjusted, c.adjusted);
        EXPECT_EQ(photoPageName(adjusted), c.page);
    }
}

TEST(PhotoNames, PageNumberText)
{
    const std::pair<int, const char*> cases[] = {{0, "00"}, {7, "07"}, {10, "10"}, {99, "99"}, {123, "123"}};
    for (const auto& [number, text] : cases) {
        SCOPED_TRACE(number);
        EXPECT_EQ(pageNumberText(number), text);
    }
}

} // namespace
