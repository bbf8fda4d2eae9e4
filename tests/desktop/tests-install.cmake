# The installation: cmake --install into a scratch prefix, then every file a desktop needs.
add_test(NAME tst_install
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
            -DPREFIX=${CMAKE_BINARY_DIR}/testhome/tst_install/prefix
            "-DICON_SIZES=${QUENLARK_ICON_SIZES}"
            -P ${CMAKE_CURRENT_LIST_DIR}/checkinstall.cmake)
set_tests_properties(tst_install PROPERTIES LABELS unit TIMEOUT 120)
