# The Statistics pages: their behaviour suite natively and under Wine on the program's own
# templates, and the whole program with both pages.
tovix_test(pages_statistics SOURCES StatisticsSuite.cpp StatisticsMemory.cpp
  LIBS tovix_pages tovix_zel_recorder tovix_test_support tovix_sim NATIVE_ONLY)
tovix_test_templates(pages_statistics ${PROJECT_SOURCE_DIR}/res/Tovix.rc)

if(WIN32)
  enable_language(RC)
  tovix_test(pages_statistics_win32 SOURCES StatisticsSuite.cpp StatisticsWin32.cpp
    LIBS tovix_pages_win32 tovix_zel_recorder tovix_sim tovix_program_driver
         tovix_test_support_win32 tovix_resources tovix_test_main_win32 NO_MAIN)

  tovix_test(pages_statistics_program_win32 SOURCES StatisticsProgramTest.cpp
    LIBS tovix_program_driver tovix_test_support_win32)
  add_dependencies(pages_statistics_program_win32 Tovix TovixLibrary)
endif()
