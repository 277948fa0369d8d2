// Files handed between programs as uri-lists: the bytes of a name come
// through both ways, whatever they are.
#include <gtest/gtest.h>

#include "core/platform/file_uri.h"

namespace lumora {
namespace {

using Paths = std::vector<std::string>;

TEST(FileUri, EncodesEveryByteButTheUnreservedAndSlashes)
{
    EXPECT_EQ(FileUri("/home/Anne/Vacances 2025/IMG_0001.JPG"), "file:///home/Anne/Vacances%202025/IMG_0001.JPG");
    EXPECT_EQ(FileUri("/p/100%#?.jpg"), "file:///p/100%25%23%3F.jpg");
    EXPECT_EQ(FileUri("/p/\xC3\xA9t\xE9.jpg"), "file:///p/%C3%A9t%E9.jpg");  // UTF-8 and a lone Latin-1 byte
}

TEST(FileUri, ReadsTheLocalFilesOfAUriList)
{
    struct Case {
        const char* list;
        Paths paths;
    };
    const Case cases[] = {
        {"file:///a/b.jpg\r\nfile:///c%20d/E.PNG\r\n", {"/a/b.jpg", "/c d/E.PNG"}},
        {"file:///no-line-end", {"/no-line-end"}},
        {"# a comment\nfile:///a\n\nfile://localhost/b\nFILE://LocalHost/c\n", {"/a", "/b", "/c"}},
        {"file://other.example/a\nhttp://example.org/b.jpg\nfile:relative\nfile://\n", {}},
        {"file:/single-slash", {"/single-slash"}},
        {"file:///%E9t%C3%A9%2Fx", {"/\xE9t\xC3\xA9/x"}},
        {"file:///100%\nfile:///%zz%4", {"/100%", "/%zz%4"}},    // a lone % is itself
        {"file:///a%00b\nfile:///c", {"/c"}},                      // a NUL names no file
        {"file:///photo.jpg?x=1#frag", {"/photo.jpg"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LocalPathsOfUriList(c.list), c.paths) << c.list;
}

TEST(FileUri, AnyNameComesBackAsItWent)
{
    const std::string odd = std::string("/t/a b%\x01\xFF\x80~-_.Z") + "\r\n";
    EXPECT_EQ(LocalPathsOfUriList(FileUri(odd) + "\r\n"), Paths{odd});
}

}  // namespace
}  // namespace lumora
