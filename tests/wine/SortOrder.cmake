# The map list's ordering, checked against the system's own comparison under
# Wine. SortOrderProbe prints the measurements the ordering's weight tables
# were built from; it is a tool, not a test.
add_executable(sort_order_test ${CMAKE_CURRENT_LIST_DIR}/SortOrderTest.cpp
               ${CMAKE_SOURCE_DIR}/launcher/MapNameOrder.cpp)
target_include_directories(sort_order_test PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(sort_order_test PRIVATE gtest gtest_main)
add_wine_test(sort_order_matches_system sort_order_test)

add_executable(sort_order_probe ${CMAKE_CURRENT_LIST_DIR}/SortOrderProbe.cpp)
