# vstgui_add_resources(target [SCALE n] FILES a.png b.png ...)
# Embeds the files into the target; at start-up each is registered in
# VSTGUI::Resources under its file name, where CBitmap finds it. With SCALE n the
# files are a bitmap's versions for high-DPI screens, registered as "a#nx.png".
set(VSTGUI_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedFiles.cmake)

function(vstgui_add_resources target)
  cmake_parse_arguments(R "" "SCALE" "FILES" ${ARGN})
  if(R_SCALE)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources_${R_SCALE}x.cpp)
  else()
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  endif()
  set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/EmbedFiles.cmake)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${out} -DMODE=register "-DSCALE=${R_SCALE}"
            "-DINPUTS=${R_FILES}" -P ${script}
    DEPENDS ${R_FILES} ${script}
    COMMENT "Embedding resources of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
