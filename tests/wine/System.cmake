# The system services' Windows tests: the Win32 file and process services
# against the real file system and process list, and (once the program
# exists) the folder picker and the launch, end to end.

add_executable(system_services_win32 ${CMAKE_CURRENT_SOURCE_DIR}/SystemServicesTest.cpp)
target_include_directories(system_services_win32 PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(system_services_win32 PRIVATE FAKE_GAME_PATH="$<TARGET_FILE:fake_game>")
target_link_libraries(system_services_win32 PRIVATE brindleway_win32 wine_gui_main)
add_dependencies(system_services_win32 fake_game)
add_wine_test(system_services_on_wine system_services_win32)

# End to end with the real program, once it is built.
if(TARGET Brindleway)
    add_gui_test(startup_folder_picker ${CMAKE_CURRENT_SOURCE_DIR}/StartupFolderPickerTest.cpp)
    add_gui_test(launch_game ${CMAKE_CURRENT_SOURCE_DIR}/LaunchGameTest.cpp)
    target_compile_definitions(launch_game PRIVATE FAKE_GAME_PATH="$<TARGET_FILE:fake_game>")
    add_dependencies(launch_game fake_game)
endif()
