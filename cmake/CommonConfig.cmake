# What every target of the project shares, linked by each library, program, test, benchmark and
# fuzz target: the language level and the warnings.
add_library(vedrin_common INTERFACE)
target_compile_features(vedrin_common INTERFACE cxx_std_17)
target_compile_options(vedrin_common INTERFACE
    "$<$<COMPILE_LANG_AND_ID:CXX,GNU,Clang,AppleClang>:-Wall;-Wextra>"
    "$<$<COMPILE_LANG_AND_ID:CXX,MSVC>:/W4;/utf-8>")
# Standard C++ rather than a compiler's dialect; a target property, so set for the targets to come.
set(CMAKE_CXX_EXTENSIONS OFF)
