# vstgui_add_resources(target FILES a.png b.png ...)
# Embeds the files into the target; at start-up each is registered in
# VSTGUI::Resources under its file name, where CBitmap finds it.
set(VSTGUI_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedFiles.cmake)

function(vstgui_add_resources target)
  cmake_parse_arguments(R "" "" "FILES" ${ARGN})
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/EmbedFiles.cmake)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${out} -DMODE=register "-DINPUTS=${R_FILES}" -P ${script}
    DEPENDS ${R_FILES} ${script}
    COMMENT "Embedding resources of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
