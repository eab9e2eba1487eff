# The manual (help/) compiled into VLM.chm beside the program, with Debian's
# chmcmd (package fp-utils) by scripts/make-help. Windows trees only.
find_program(VLM_CHMCMD chmcmd REQUIRED)
file(GLOB VLM_HELP_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/help/*.htm ${CMAKE_SOURCE_DIR}/help/*.css ${CMAKE_SOURCE_DIR}/help/*.hhp
     ${CMAKE_SOURCE_DIR}/help/*.hhc ${CMAKE_SOURCE_DIR}/help/*.hhk ${CMAKE_SOURCE_DIR}/help/images/*.png)
set(VLM_HELP_CONTEXTS ${CMAKE_SOURCE_DIR}/src/app/HelpContexts.h)
set(VLM_MANUAL ${CMAKE_CURRENT_BINARY_DIR}/VLM.chm)
add_custom_command(
  OUTPUT ${VLM_MANUAL}
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-help ${CMAKE_SOURCE_DIR}/help ${VLM_HELP_CONTEXTS} ${VLM_MANUAL}
  DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make-help ${VLM_HELP_SOURCES} ${VLM_HELP_CONTEXTS}
  COMMENT "Compiling the manual")
add_custom_target(vlm_manual ALL DEPENDS ${VLM_MANUAL})
