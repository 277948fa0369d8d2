#include "support/test_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/wait.h>

#include "core/picture/byte_order.h"

namespace lumora::test {

std::string TestDataPath(const std::string& relative)
{
    const char* fromEnv = std::getenv("LUMORA_TESTDATA");
    return std::string(fromEnv && *fromEnv ? fromEnv : LUMORA_TESTDATA_DIR) + "/" + relative;
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lumora-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

static const uint8_t* RowOf(const Picture& dib, uint32_t memoryRow)
{
    const PictureSpan block = dib.Span();
    return block.Pixels() + memoryRow * PictureRowBytes(block.Width(), block.BitCount());
}

uint8_t IndexAt(const Picture& dib, uint32_t x, uint32_t memoryRow)
{
    const uint8_t* row = RowOf(dib, memoryRow);
    switch (dib.BitCount()) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4;
    default: return row[x];
    }
}

ColorTriple ColorAt(const Picture& dib, uint32_t x, uint32_t memoryRow)
{
    if (dib.BitCount() == 24) {
        const uint8_t* p = RowOf(dib, memoryRow) + x * 3;
        return {p[2], p[1], p[0]};
    }
    return dib.Color(IndexAt(dib, x, memoryRow));
}

void SetRgb(Picture& dib, uint32_t x, uint32_t memoryRow, ColorTriple color)
{
    auto* p = const_cast<uint8_t*>(RowOf(dib, memoryRow)) + x * 3;
    p[0] = color.blue;
    p[1] = color.green;
    p[2] = color.red;
}

static std::string Quote(const std::string& word)
{
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

int RunCli(const std::vector<std::string>& args, std::string* out, std::string* err)
{
    TempDir dir;
    std::string command = Quote(LUMORA_CLI_PATH);
    for (const std::string& a : args)
        command += " " + Quote(a);
    command += " >" + Quote(dir.File("out")) + " 2>" + Quote(dir.File("err")) + " </dev/null";
    const int status = std::system(command.c_str());
    auto slurp = [](const std::string& path) {
        const auto bytes = ReadBytes(path);
        return std::string(bytes.begin(), bytes.end());
    };
    if (out)
        *out = slurp(dir.File("out"));
    if (err)
        *err = slurp(dir.File("err"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace lumora::test
