# The program's pictures (tool bar glyphs, icons), made at build time from the
# Tango icon theme and Debian's fonts by scripts/make-glyphs. Windows trees only.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(VLM_PICTURES_DIR ${CMAKE_BINARY_DIR}/pictures)
add_custom_command(
  OUTPUT ${VLM_PICTURES_DIR}/pictures.rc
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/make-glyphs ${VLM_PICTURES_DIR}
  DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make-glyphs
  # The script lists the pictures and fonts it read.
  DEPFILE ${VLM_PICTURES_DIR}/pictures.d
  COMMENT "Making the tool bar glyphs and icons")

# Linked into the program and into the tests that load its pictures by name.
add_library(vlm_pictures OBJECT ${VLM_PICTURES_DIR}/pictures.rc)
