# The map catalogue in the real window: rows, order, stored row and reports.
# The expected order comes from the program's own comparison, so the test
# links the window logic's library.
if(TARGET Brindleway)
    add_gui_test(catalogue_window CatalogueWindowTest.cpp)
    target_link_libraries(catalogue_window PRIVATE brindleway_logic)
endif()
