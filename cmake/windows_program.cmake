# What makes a Windows program of a target: its version resource and the
# project's icon, compiled in by windres, and its place in the installer and
# the zip. One call per program:
#   mendwright_windows_program(TARGET "File description" [WINDOWED | UNPACKAGED]
#                              [RESOURCES FILE.rc DEPENDS FILES...])
# WINDOWED marks the program that the Start menu shortcut and the optional
# .wad association open; UNPACKAGED gives a program the tests build its
# resources and no place in the packages. RESOURCES adds a program's own
# resource script, compiled with the version resource as one: windres
# numbers the images of each script's icons from 1, so two scripts with
# icons would clash at link time and lose images.
enable_language(RC)

# The copyright line and the licence's name are LICENSE's own.
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE MENDWRIGHT_LICENSE_NAME LIMIT_COUNT 1)
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE MENDWRIGHT_COPYRIGHT REGEX "^Copyright ")
string(REGEX REPLACE "^Copyright \\(c\\) [0-9]+ " "" MENDWRIGHT_PUBLISHER "${MENDWRIGHT_COPYRIGHT}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

# A version resource has four numbers.
set(MENDWRIGHT_VERSION_NUMBERS)
foreach(part MAJOR MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    list(APPEND MENDWRIGHT_VERSION_NUMBERS 0)
  else()
    list(APPEND MENDWRIGHT_VERSION_NUMBERS ${PROJECT_VERSION_${part}})
  endif()
endforeach()
string(REPLACE ";" "," MENDWRIGHT_VERSION_NUMBERS "${MENDWRIGHT_VERSION_NUMBERS}")

# The icon, drawn from the SVG source at the sizes Windows shows (the
# 256-pixel one kept as PNG inside the .ico, as Windows expects).
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(ICOTOOL icotool REQUIRED)
set(MENDWRIGHT_ICON_SVG ${PROJECT_SOURCE_DIR}/data/icons/hicolor/scalable/apps/${MENDWRIGHT_APP_ID}.svg)
set(MENDWRIGHT_ICON ${PROJECT_BINARY_DIR}/windows/mendwright.ico)
set(icon_pictures)
set(icon_commands)
foreach(size 16 20 24 32 40 48 64 128 256)
  set(picture ${PROJECT_BINARY_DIR}/windows/icon/${size}.png)
  list(APPEND icon_commands COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} ${MENDWRIGHT_ICON_SVG} -o ${picture})
  if(size EQUAL 256)
    list(APPEND icon_pictures --raw=${picture})
  else()
    list(APPEND icon_pictures ${picture})
  endif()
endforeach()
add_custom_command(OUTPUT ${MENDWRIGHT_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/windows/icon
  ${icon_commands}
  COMMAND ${ICOTOOL} --create --output=${MENDWRIGHT_ICON} ${icon_pictures}
  DEPENDS ${MENDWRIGHT_ICON_SVG}
  COMMENT "Drawing the Windows icon from ${MENDWRIGHT_APP_ID}.svg"
  VERBATIM)
add_custom_target(mendwright_icon DEPENDS ${MENDWRIGHT_ICON})

function(mendwright_windows_program target description)
  cmake_parse_arguments(PARSE_ARGV 2 program "WINDOWED;UNPACKAGED" "RESOURCES" "DEPENDS")
  set(MENDWRIGHT_PROGRAM_NAME ${target})
  set(MENDWRIGHT_PROGRAM_RESOURCES "")
  if(program_RESOURCES)
    set(MENDWRIGHT_PROGRAM_RESOURCES "#include \"${program_RESOURCES}\"")
  endif()
  set(MENDWRIGHT_PROGRAM_DESCRIPTION "${description}")
  set(resource ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows_program.rc.in ${resource} @ONLY)
  target_sources(${target} PRIVATE ${resource})
  set_source_files_properties(${resource} PROPERTIES OBJECT_DEPENDS
    "${MENDWRIGHT_ICON};${program_RESOURCES};${program_DEPENDS}")
  add_dependencies(${target} mendwright_icon)

  if(program_UNPACKAGED)
    return()
  endif()
  set_property(GLOBAL APPEND PROPERTY MENDWRIGHT_WINDOWS_PROGRAMS ${target})
  if(program_WINDOWED)
    set_property(GLOBAL PROPERTY MENDWRIGHT_WINDOWED_PROGRAM ${target})
  endif()
endfunction()
