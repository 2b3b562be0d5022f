# The program's start-up and auto-install mode, run as a package runs it.
add_executable(qt_program_tests
  startup_test.cpp
  command_line_test.cpp
  package_paths_test.cpp
  help_and_version_test.cpp
  update_package.cpp
  auto_install_test.cpp
  auto_install_display_test.cpp
)
target_link_libraries(qt_program_tests PRIVATE mendwright_qt_program mendwright_qt_test_support)

# The program whose boxes a script answers (scripted_dialogs.cpp); only the
# tests build it, the shipped program has no such switch.
mendwright_program(mendwright_scripted scripted_dialogs.cpp)

# The auto-install tests run the program itself, as an update package does.
target_compile_definitions(qt_program_tests PRIVATE MENDWRIGHT_PROGRAM="$<TARGET_FILE:mendwright>"
                                             MENDWRIGHT_SCRIPTED_PROGRAM="$<TARGET_FILE:mendwright_scripted>")
add_dependencies(qt_program_tests mendwright mendwright_scripted)
gtest_discover_tests(qt_program_tests DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
