# The Statistics pages: their behaviour suite natively and under Wine on the program's own
# templates, and the whole program with both pages.
if(WIN32)
  tovix_test(pages_statistics_program_win32 SOURCES StatisticsProgramTest.cpp
    LIBS tovix_program_driver tovix_test_support_win32)
  add_dependencies(pages_statistics_program_win32 Tovix TovixLibrary)
endif()
