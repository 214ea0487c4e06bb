#pragma once

// Where the programs under test, the source tree and the build's own files are. Each test
// program defines the ones it uses in a source that the build generates for it alone, so that
// no other source's compile command names a folder of this checkout and a compiler cache
// serves a clone in another folder too.
namespace korvland::testing::build {

extern const char* const cliProgram;
extern const char* const editorProgram;
extern const char* const rasterizeProgram;
extern const char* const lupdateProgram;
extern const char* const sourceDir;
extern const char* const manDir;
extern const char* const translationsDir;
extern const char* const pluralForms;
// lupdate's options as the build gives them to it, one per line.
extern const char* const lupdateOptions;

} // namespace korvland::testing::build
