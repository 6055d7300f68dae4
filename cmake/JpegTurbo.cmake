# Quaverlin::jpeg: Debian's libjpeg-turbo, built statically for the target of
# this build tree by scripts/build-libjpeg-turbo.sh (at once when it is cached).
if(TARGET Quaverlin::jpeg)
  return()
endif()

execute_process(
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/../scripts/build-libjpeg-turbo.sh ${QUAVERLIN_TARGET}
  OUTPUT_VARIABLE QUAVERLIN_JPEG_PREFIX
  OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE jpeg_result)
if(NOT jpeg_result EQUAL 0)
  message(FATAL_ERROR "libjpeg-turbo for ${QUAVERLIN_TARGET} could not be built")
endif()

add_library(Quaverlin::jpeg STATIC IMPORTED GLOBAL)
set_target_properties(Quaverlin::jpeg PROPERTIES
  IMPORTED_LOCATION ${QUAVERLIN_JPEG_PREFIX}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${QUAVERLIN_JPEG_PREFIX}/include)
