# The Qt program: start-up, windowed mode and the auto-install mode.

# The Qt wiring of the start-up below it (startup/).
add_library(mendwright_qt_program STATIC program_windows.cpp)
target_include_directories(mendwright_qt_program PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(mendwright_qt_program PUBLIC mendwright_qt mendwright_startup)

# The program: main.cpp with the source that gives its dialogs. The shipped
# program gets program_dialogs.cpp; the tests build a copy with scripted ones.
function(mendwright_program target dialogs_source)
  add_executable(${target} ${PROJECT_SOURCE_DIR}/qt/main.cpp ${dialogs_source})
  target_link_libraries(${target} PRIVATE mendwright_qt_program)
  target_compile_definitions(${target} PRIVATE MENDWRIGHT_APP_ID="${MENDWRIGHT_APP_ID}")
  # The window icon: the application icon's PNG sizes, as in the hicolor theme.
  set(icon_sizes 16 22 24 32 48 64 128 256)
  list(TRANSFORM icon_sizes REPLACE "(.+)" "${PROJECT_SOURCE_DIR}/data/icons/hicolor/\\1x\\1/apps/${MENDWRIGHT_APP_ID}.png"
       OUTPUT_VARIABLE icon_files)
  qt_add_resources(${target} "application_icon"
    PREFIX "/icons"
    BASE ${PROJECT_SOURCE_DIR}/data/icons/hicolor
    FILES ${icon_files}
  )
endfunction()

mendwright_program(mendwright program_dialogs.cpp)

include(GNUInstallDirs)
install(TARGETS mendwright RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
