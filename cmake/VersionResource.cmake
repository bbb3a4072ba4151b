# The Windows version resource: the project's three numbers as FileVersion and ProductVersion,
# written major.minor.revision with the minor in two digits and the revision in four (1.02.0004),
# numerically major.minor.0.revision. With ICON, the program icon from that .ico file as well.
function(vedrin_configure_version_resource output)
    cmake_parse_arguments(PARSE_ARGV 1 resource "" "ICON" "")
    set(VERSION_RESOURCE_ICON "")
    if(resource_ICON)
        # Explorer shows a program's first icon resource.
        set(VERSION_RESOURCE_ICON "1 ICON \"${resource_ICON}\"")
    endif()
    math(EXPR padded_minor "100 + ${PROJECT_VERSION_MINOR}")
    math(EXPR padded_revision "10000 + ${PROJECT_VERSION_PATCH}")
    string(SUBSTRING "${padded_minor}" 1 2 minor_text)
    string(SUBSTRING "${padded_revision}" 1 4 revision_text)
    set(VERSION_RESOURCE_TEXT "${PROJECT_VERSION_MAJOR}.${minor_text}.${revision_text}")
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../src/app/version_resource.rc.in
                   ${output} @ONLY)
endfunction()
