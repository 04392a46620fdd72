# cs_embed(TARGET SETNAME FILE...)
# Compiles files into TARGET as byte arrays. The generated source defines
#   std::span<const embedded::File> embedded::SETNAME();
# (declared by including "platform/arx/Embedded.h"), each entry named by its path relative to the
# project root with "/" separators.
function(cs_embed target setname)
    set(out "${CMAKE_CURRENT_BINARY_DIR}/embedded_${setname}.cpp")
    set(files ${ARGN})
    add_custom_command(
        OUTPUT "${out}"
        COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DSET=${setname} -DROOT=${PROJECT_SOURCE_DIR}
                "-DFILES=${files}" -P "${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake"
        DEPENDS ${files} "${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake"
        COMMENT "Embedding ${setname}"
        VERBATIM)
    target_sources(${target} PRIVATE "${out}")
endfunction()
