# cmake -DBUILD_DIR=... -DPREFIX=... -DICON_SIZES=... -P checkinstall.cmake
# Installs the build into PREFIX and checks the tree: programs, shipped files where the
# installed program looks for them, launcher, description, icons, manual pages.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

set(id org.quenlark.Quenlark)
set(expected
    bin/quenlark bin/quenlark-hostsim bin/quenlark-sip-host
    share/quenlark/Quenlark_en.pack share/quenlark/Quenlark_ja.pack share/quenlark/Quenlark.png
    share/quenlark/AutoAnswer.png share/quenlark/Ringing.png share/quenlark/Recording.png
    share/quenlark/AutoAnswerStart.wav share/quenlark/check.bmp share/quenlark/non-check.bmp
    share/applications/${id}.desktop share/metainfo/${id}.metainfo.xml
    share/icons/hicolor/scalable/apps/${id}.svg
    share/man/man1/quenlark.1.gz share/man/man1/quenlark-hostsim.1.gz
    share/man/man1/quenlark-sip-host.1.gz share/doc/quenlark/copyright share/doc/quenlark/changelog.gz)
set(missing)
foreach(f ${expected})
    if(NOT EXISTS ${PREFIX}/${f})
        list(APPEND missing ${f})
    endif()
endforeach()
# Each PNG is a picture of its own size (the width and height words of the IHDR chunk).
foreach(size ${ICON_SIZES})
    set(png ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/${id}.png)
    if(NOT EXISTS ${png})
        list(APPEND missing ${png})
        continue()
    endif()
    file(READ ${png} header LIMIT 24 HEX)
    math(EXPR hex "${size}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${hex}" 2 -1 hex)
    string(LENGTH "${hex}" len)
    math(EXPR pad "8 - ${len}")
    string(REPEAT "0" ${pad} zeros)
    set(word "${zeros}${hex}")
    if(NOT header MATCHES "^89504e470d0a1a0a0000000d49484452${word}${word}$")
        message(SEND_ERROR "${png} is not a ${size}x${size} PNG: ${header}")
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "not installed: ${missing}")
endif()

# The validators, where installed (scripts/install-deps.sh installs both).
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    execute_process(COMMAND ${APPSTREAMCLI} validate --no-net
                            ${PREFIX}/share/metainfo/${id}.metainfo.xml
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        message(SEND_ERROR "appstreamcli validate: ${out}")
    endif()
endif()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${PREFIX}/share/applications/${id}.desktop
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0 OR out)
        message(SEND_ERROR "desktop-file-validate: ${out}")
    endif()
endif()
