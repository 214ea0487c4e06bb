# korvland_build_paths(TARGET NAME VALUE [NAME VALUE ...])
#
# Gives TARGET the paths it needs at run time (NAME as declared in tests/support/build_paths.h,
# VALUE a path or a generator expression) in one generated source of its own. Paths of this
# checkout then appear in that one compile command, and the target's other sources compile the
# same in every clone, which a compiler cache shared between clones relies on.
function(korvland_build_paths target)
  set(pairs ${ARGN})
  set(body "#include \"support/build_paths.h\"\n\nnamespace korvland::testing::build {\n")
  while(pairs)
    list(POP_FRONT pairs name value)
    string(APPEND body "const char* const ${name} = R\"path(${value})path\";\n")
  endwhile()
  string(APPEND body "} // namespace korvland::testing::build\n")
  set(output ${CMAKE_CURRENT_BINARY_DIR}/generated/${target}_build_paths.cpp)
  file(GENERATE OUTPUT ${output} CONTENT "${body}")
  target_sources(${target} PRIVATE ${output})
endfunction()
