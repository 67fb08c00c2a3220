// Stands in for the resizer where a test launches thousands of jobs: it copies the input to
// the output, a whole JPEG where the pages expect one.
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    std::FILE* in = std::fopen(argv[2], "rb");
    if (!in)
        return 1;
    std::FILE* out = std::fopen(argv[3], "wb");
    if (!out) {
        std::fclose(in);
        return 1;
    }
    char buffer[1 << 14];
    bool good = true;
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
        good = good && std::fwrite(buffer, 1, n, out) == n;
    good = !std::ferror(in) && good;
    std::fclose(in);
    return std::fclose(out) == 0 && good ? 0 : 1;
}
