target_include_directories(corvel_tests PRIVATE ${PROJECT_SOURCE_DIR}/tools)
target_sources(corvel_tests PRIVATE
    controls/test_avi_file.cpp
    controls/test_mscomm.cpp
    controls/test_sheet.cpp
    controls/test_vcf1.cpp
    controls/test_led.cpp
)
