// The host image: its version word sits at image base + 0x73BB4 in a block of its own.
#include "hostsim/host_layout.h"
#include "hostsim_test_support.h"

using namespace hostsim_test;

namespace {

const IMAGE_NT_HEADERS32* Headers(const uint8_t* image) {
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
    return reinterpret_cast<const IMAGE_NT_HEADERS32*>(image + dos->e_lfanew);
}

const IMAGE_SECTION_HEADER* SectionHolding(const uint8_t* image, uint32_t rva, int* holders) {
    const IMAGE_NT_HEADERS32* nt = Headers(image);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    const IMAGE_SECTION_HEADER* found = nullptr;
    *holders = 0;
    for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        uint32_t size = section->Misc.VirtualSize;
        if (rva >= section->VirtualAddress && rva < section->VirtualAddress + size) {
            found = section;
            ++*holders;
        }
    }
    return found;
}
} // namespace

TEST(HostsimImage, TheVersionWordLiesInAWritableBlockOfItsOwn) {
    const uint8_t* image = reinterpret_cast<const uint8_t*>(GetModuleHandleA(nullptr));
    int holders = 0;
    const IMAGE_SECTION_HEADER* section = SectionHolding(image, kVersionWordRva, &holders);
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(holders, 1) << "no other section overlaps the word";
    char name[9] = {};
    memcpy(name, section->Name, 8);
    EXPECT_STREQ(name, ".hostimg");
    EXPECT_TRUE(section->Characteristics & IMAGE_SCN_MEM_WRITE);
    EXPECT_FALSE(section->Characteristics & IMAGE_SCN_MEM_EXECUTE);
    EXPECT_FALSE(section->Characteristics & IMAGE_SCN_CNT_CODE);

    // Code and data of the program all lie outside the block.
    uint32_t codeRva =
        static_cast<uint32_t>(reinterpret_cast<const uint8_t*>(&HostsimStart) - image);
    uint32_t dataRva =
        static_cast<uint32_t>(reinterpret_cast<const uint8_t*>(HostsimInterface(0x02)) - image);
    uint32_t blockEnd = section->VirtualAddress + section->Misc.VirtualSize;
    EXPECT_TRUE(codeRva < section->VirtualAddress || codeRva >= blockEnd);
    EXPECT_TRUE(dataRva < section->VirtualAddress || dataRva >= blockEnd);
}

TEST(HostsimImage, TheImageBaseWordFollowsTheHostsOption) {
    const uint8_t* image = reinterpret_cast<const uint8_t*>(GetModuleHandleA(nullptr));
    volatile const uint32_t* word =
        reinterpret_cast<volatile const uint32_t*>(image + kVersionWordRva);
    HostsimOptions options;
    HostsimDefaultOptions(&options);
    options.showWindow = false;
    ASSERT_TRUE(HostsimStart(&options)) << HostsimLastError();
    EXPECT_EQ(*word, 0x900u);
    HostsimSetVersionWord(0x1234);
    EXPECT_EQ(*word, 0x1234u);
    EXPECT_EQ(HostsimVersionWord(), 0x1234u);
    HostsimShutdown();

    options.versionWord = 0x800;
    ASSERT_TRUE(HostsimStart(&options)) << HostsimLastError();
    EXPECT_EQ(*word, 0x800u);
    HostsimShutdown();
}
