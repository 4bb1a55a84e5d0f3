# The Network Status page: its rules and its interface sampler, the page on the in-memory
# surface over the recording library, and its behaviour suite with the simulated card,
# natively and under Wine on the program's own template.
tovix_test(pages_mainpage
  SOURCES MainPageRulesTest.cpp MainPageSamplerTest.cpp MainPageTest.cpp MainPageSuite.cpp
          MainPageMemory.cpp
  LIBS tovix_pages tovix_zel_recorder tovix_test_support tovix_sim)
tovix_test_templates(pages_mainpage ${PROJECT_SOURCE_DIR}/res/Tovix.rc)

if(WIN32)
  enable_language(RC)
  tovix_test(pages_mainpage_win32 SOURCES MainPageSuite.cpp MainPageWin32.cpp
    LIBS tovix_pages_win32 tovix_adapter_loader tovix_test_support_win32 tovix_resources
         tovix_test_main_win32 NO_MAIN)
  add_dependencies(pages_mainpage_win32 TovixLibrary)

  # The IP helper functions against the system's interfaces; MainPageInterface.sh runs it
  # (and the suite above) with an interface that carries the card's address.
  tovix_test(pages_mainpage_interface SOURCES MainPageInterfaceWin32.cpp
    LIBS tovix_pages_win32 iphlpapi)

  # How long a refresh of the page takes on the window thread (a benchmark, not a test).
  add_executable(pages_mainpage_benchmark MainPageBenchmarkWin32.cpp)
  target_compile_options(pages_mainpage_benchmark PRIVATE ${TOVIX_WARNINGS})
  target_include_directories(pages_mainpage_benchmark PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(pages_mainpage_benchmark PRIVATE tovix_pages_win32 tovix_adapter_loader
    tovix_test_support_win32 tovix_resources comctl32)
  add_dependencies(pages_mainpage_benchmark TovixLibrary)
endif()
