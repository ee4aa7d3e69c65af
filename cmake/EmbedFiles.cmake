# dfe_embed_files(<target> NAMESPACE <ns> FUNCTION <fn> BASE <dir> FILES <files>...)
# Compiles the files into <target> as a table of {relative name, bytes}, regenerated when any of them changes,
# so that a program carries its schema files and works from the build tree and after installation alike.
function(dfe_embed_files target)
  cmake_parse_arguments(E "" "NAMESPACE;FUNCTION;BASE;HEADER" "FILES" ${ARGN})
  set(out ${CMAKE_CURRENT_BINARY_DIR}/generated/${E_FUNCTION}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DBASE=${E_BASE} -DNAMESPACE=${E_NAMESPACE} -DFUNCTION=${E_FUNCTION}
            -DHEADER=${E_HEADER} "-DFILES=${E_FILES}" -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFilesScript.cmake
    DEPENDS ${E_FILES} ${PROJECT_SOURCE_DIR}/cmake/EmbedFilesScript.cmake
    COMMENT "Embedding ${E_FUNCTION}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
