// The simulated mouse's memory file: what starts the firmware, what every change leaves behind.
#include "sim/sim_memory_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

class SimMemoryFile : public testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder, error); }

    void write(const Bytes& bytes) const {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    Bytes read() const {
        std::ifstream in(file, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Every name in the folder: the memory file alone once a save is over.
    std::vector<fs::path> names() const {
        std::vector<fs::path> found;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            found.push_back(entry.path().filename());
        return found;
    }

    const fs::path folder = fs::temp_directory_path() / L"pelko_sim_memory_file_test";
    const fs::path file = folder / L"memory.bin";
    const std::vector<fs::path> justTheFile = {L"memory.bin"};
    std::error_code error;
};

Bytes bytesOf(const SimMemory& memory) {
    return Bytes(memory.begin(), memory.end());
}

} // namespace

TEST_F(SimMemoryFile, StartsOnTheFactoryMemoryUnlessTheFileHoldsExactly130Bytes) {
    for (const size_t size : {size_t(0), size_t(1), size_t(129), size_t(131), size_t(4096)}) {
        write(Bytes(size, 0x01));
        SimFirmware mouse;
        mouse.memory.fill(0x02);
        EXPECT_FALSE(mouse.loadMemory(file.wstring())) << size << " bytes";
        EXPECT_EQ(mouse.memory, SimFirmware::factoryMemory()) << size << " bytes";
    }
    write(Bytes(130, 0x01));
    SimFirmware mouse;
    EXPECT_TRUE(mouse.loadMemory(file.wstring()));
    EXPECT_EQ(bytesOf(mouse.memory), Bytes(130, 0x01));

    fs::remove(file);
    mouse.memory.fill(0x02);
    EXPECT_FALSE(mouse.loadMemory(file.wstring()));
    EXPECT_EQ(mouse.memory, SimFirmware::factoryMemory());
}

TEST_F(SimMemoryFile, EveryChangeReplacesTheFileWithExactlyTheFirmwaresMemory) {
    write(Bytes(131, 0x01));
    SimFirmware mouse;
    ASSERT_TRUE(mouse.persistTo(file.wstring()));
    EXPECT_EQ(read(), bytesOf(SimFirmware::factoryMemory()));
    mouse.nextProfile();
    mouse.cycleCpiStage();
    EXPECT_EQ(read(), bytesOf(mouse.memory));
    EXPECT_EQ(read()[6], 11);
    EXPECT_EQ(read()[7], 2);
    EXPECT_EQ(names(), justTheFile);
}

TEST_F(SimMemoryFile, AFailedSaveLeavesThePreviousFileAndNoTemporaryFile) {
    // A folder of the file's name can be neither read nor replaced.
    fs::create_directory(file);
    SimFirmware mouse;
    mouse.memory.fill(0x02);
    EXPECT_FALSE(mouse.persistTo(file.wstring()));
    EXPECT_EQ(mouse.memory, SimFirmware::factoryMemory());
    mouse.nextProfile();
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_EQ(names(), justTheFile);

    // A file another program holds open without sharing cannot be replaced.
    fs::remove(file);
    write(Bytes(130, 0x01));
    const HANDLE held = ::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(writeSimMemoryFile(file.wstring(), SimFirmware::factoryMemory()));
    ::CloseHandle(held);
    EXPECT_EQ(read(), Bytes(130, 0x01));
    EXPECT_EQ(names(), justTheFile);
}

TEST(SimMemoryFilePath, IsTheVariableWhenSetElseBesideTheProgram) {
    wchar_t program[4096] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, program, 4096), 0u);
    const std::wstring beside = fs::path(program).replace_filename(L"pelko-sim-memory.bin");
    const std::wstring longPath = L"C:\\" + std::wstring(600, L'm') + L"\\memory.bin";

    struct Row {
        const wchar_t* variable;
        std::wstring path;
    };
    for (const Row& row :
         {Row{L"D:\\mice\\pelko.bin", L"D:\\mice\\pelko.bin"}, Row{longPath.c_str(), longPath},
          Row{L"", beside}, Row{nullptr, beside}}) {
        ::SetEnvironmentVariableW(L"PELKO_SIM_MEMORY", row.variable);
        EXPECT_EQ(simMemoryFilePath(), row.path) << (row.variable ? row.variable : L"(unset)");
    }
    ::SetEnvironmentVariableW(L"PELKO_SIM_MEMORY", nullptr);
}
