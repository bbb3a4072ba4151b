# What every target of the project shares, linked by each library, program, test, benchmark and
# fuzz target: the language level, the warnings, and Qt's strict conversions, so that a text is
# written one way (u"..."_s) and no byte string becomes a QString or the other way round unseen.
add_library(vedrin_common INTERFACE)
target_compile_features(vedrin_common INTERFACE cxx_std_17)
target_compile_options(vedrin_common INTERFACE
    "$<$<COMPILE_LANG_AND_ID:CXX,GNU,Clang,AppleClang>:-Wall;-Wextra>"
    "$<$<COMPILE_LANG_AND_ID:CXX,MSVC>:/W4;/utf-8>")
target_compile_definitions(vedrin_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
# MinGW: every program one file, with no runtime DLL beside it (libgcc and libstdc++ too).
target_link_options(vedrin_common INTERFACE
    "$<$<AND:$<PLATFORM_ID:Windows>,$<CXX_COMPILER_ID:GNU>>:-static>")
# Standard C++ rather than a compiler's dialect; a target property, so set for the targets to come.
set(CMAKE_CXX_EXTENSIONS OFF)
