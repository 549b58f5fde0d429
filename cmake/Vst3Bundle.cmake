# taluma_vst3_bundle(target BUNDLE_NAME name)
# Makes `target` (a MODULE library) the binary of a VST 3 bundle in the build tree:
#   <name>.vst3/Contents/x86_64-linux/<name>.so        (Linux)
#   <name>.vst3/Contents/x86_64-win/<name>.vst3        (64-bit Windows)
# Only the module entry points are exported; on Linux every other symbol is hidden,
# so a host's own copy of the SDK cannot capture the module's references. Windows
# modules are linked statically and import only system DLLs.
function(taluma_vst3_bundle target)
  cmake_parse_arguments(B "" "BUNDLE_NAME" "" ${ARGN})
  set(bundle_dir ${CMAKE_BINARY_DIR}/${B_BUNDLE_NAME}.vst3)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${B_BUNDLE_NAME}
    PREFIX ""
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(WIN32)
    set_target_properties(${target} PROPERTIES
      SUFFIX ".vst3"
      LIBRARY_OUTPUT_DIRECTORY ${bundle_dir}/Contents/x86_64-win
      RUNTIME_OUTPUT_DIRECTORY ${bundle_dir}/Contents/x86_64-win)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++
      -Wl,--no-undefined)
  else()
    set(version_script ${CMAKE_BINARY_DIR}/${B_BUNDLE_NAME}.exports.map)
    file(WRITE ${version_script}
      "{\n  global:\n    GetPluginFactory;\n    ModuleEntry;\n    ModuleExit;\n"
      "    InitDll;\n    ExitDll;\n  local:\n    *;\n};\n")
    set_target_properties(${target} PROPERTIES
      SUFFIX ".so"
      LIBRARY_OUTPUT_DIRECTORY ${bundle_dir}/Contents/x86_64-linux
      LINK_DEPENDS ${version_script})
    target_link_options(${target} PRIVATE
      -Wl,--version-script=${version_script} -Wl,--no-undefined -Wl,-z,defs)
  endif()
  set_property(GLOBAL PROPERTY TALUMA_BUNDLE_DIR ${bundle_dir})
endfunction()
