# Executables that link hostsim_lib hold the host's version word at image base + 0x73BB4.
# The link uses the toolchain's own default linker script with one change: the section
# .hostimg (version_word.S) comes first, at the first section RVA (0x1000), and .text follows
# it. The reserved block then covers RVA 0x73BB4 however large the program grows.
set(hostsim_image_script ${CMAKE_BINARY_DIR}/hostsim/hostsim_image.ld)
set(hostsim_rule "==================================================")
execute_process(COMMAND ${CMAKE_LINKER} --verbose OUTPUT_VARIABLE hostsim_ld_verbose
                RESULT_VARIABLE hostsim_ld_result)
string(FIND "${hostsim_ld_verbose}" "${hostsim_rule}\n" hostsim_begin)
if(hostsim_ld_result OR hostsim_begin LESS 0)
    message(FATAL_ERROR "hostsim: cannot read the default linker script of ${CMAKE_LINKER}")
endif()
string(LENGTH "${hostsim_rule}\n" hostsim_rule_length)
math(EXPR hostsim_begin "${hostsim_begin} + ${hostsim_rule_length}")
string(SUBSTRING "${hostsim_ld_verbose}" ${hostsim_begin} -1 hostsim_script)
string(FIND "${hostsim_script}" "${hostsim_rule}" hostsim_end)
string(SUBSTRING "${hostsim_script}" 0 ${hostsim_end} hostsim_script)
set(hostsim_text_line
    "  .text  __image_base__ + ( __section_alignment__ < 0x1000 ? . : __section_alignment__ ) :")
set(hostsim_first_sections
    "  .hostimg __image_base__ + ( __section_alignment__ < 0x1000 ? . : __section_alignment__ ) :
  {
    KEEP (*(.hostimg))
  }
  .text BLOCK(__section_alignment__) :")
string(FIND "${hostsim_script}" "${hostsim_text_line}" hostsim_text_at)
if(hostsim_text_at LESS 0)
    message(FATAL_ERROR "hostsim: the default linker script has no .text line to put .hostimg before")
endif()
string(REPLACE "${hostsim_text_line}" "${hostsim_first_sections}" hostsim_script "${hostsim_script}")
file(WRITE ${hostsim_image_script} "${hostsim_script}")

# Links an executable with the host image layout (needed by everything that links hostsim_lib).
function(hostsim_image target)
    set(script ${CMAKE_BINARY_DIR}/hostsim/hostsim_image.ld)
    target_link_options(${target} PRIVATE "LINKER:-T,${script}")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${script})
endfunction()
