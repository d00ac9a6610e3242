# The map catalogue in the real window: rows, order, stored row and reports.
# The expected order comes from the program's own comparison, so the test
# links the window logic's library.
if(TARGET Brindleway)
    add_gui_test(catalogue_window CatalogueWindowTest.cpp)
    target_link_libraries(catalogue_window PRIVATE brindleway_logic)
    # Again in a Japanese locale, which gives the program code page 932; the
    # case must run there, not skip.
    add_wine_test(catalogue_window_japanese catalogue_window --program=$<TARGET_FILE:Brindleway>
                  --artifacts=${BRINDLEWAY_ARTIFACTS} --gtest_filter=*Japanese*)
    set_tests_properties(catalogue_window_japanese PROPERTIES ENVIRONMENT "LANG=ja_JP.UTF-8;LC_ALL=ja_JP.UTF-8"
                         FAIL_REGULAR_EXPRESSION "SKIPPED|0 tests from")
endif()
