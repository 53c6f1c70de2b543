/* The host's version word, at image base + 0x73BB4 of every executable linked with
   hostsim_image(). This object's section, .hostimg, is placed by that link first in the image,
   at RVA 0x1000, so the block below spans RVAs 0x1000 to 0x74000 and holds nothing else: code
   and data of any size start after it. The block is uninitialised; the host writes the word at
   start-up. */
#define IMAGE_FIRST_SECTION_RVA 0x1000
#define VERSION_WORD_RVA 0x73BB4
#define BLOCK_END_RVA 0x74000

    .section .hostimg,"bw"
    .globl _hostVersionWord
hostimg_start:
    .space VERSION_WORD_RVA - IMAGE_FIRST_SECTION_RVA
_hostVersionWord:
    .space 4
    .space BLOCK_END_RVA - VERSION_WORD_RVA - 4
