// The .Vdr reader on any file: it refuses what it cannot read and never reads out of bounds.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "files/DataFile.h"
#include "tests/TempFolder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const veldrin::test::TempFolder folder;
    static const std::string path = folder.File("input.Vdr");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    veldrin::LoadDataFile(path);
    return 0;
}
