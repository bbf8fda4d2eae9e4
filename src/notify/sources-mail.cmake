# Mail: composition (ISO-2022-JP, multipart, Base64) and the SMTP sender with its window.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/base64lib.cpp
    ${CMAKE_CURRENT_LIST_DIR}/jisconv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mailcompose.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mailmessagestream.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mailsender.cpp
    ${CMAKE_CURRENT_LIST_DIR}/smtpprotocol.cpp
    ${CMAKE_CURRENT_LIST_DIR}/smtpsocket.cpp
    ${CMAKE_CURRENT_LIST_DIR}/smtptransport.h)
target_sources(quenlark_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/sendmailform.cpp)
# Secured and authenticated mail: the login conversation, the password in the desktop's
# secret store (QtKeychain), the window's login frame.
find_package(Qt6Keychain REQUIRED GLOBAL)
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/keychainsecretstore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mailpassword.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mailsenderlogin.cpp
    ${CMAKE_CURRENT_LIST_DIR}/secretstore.h
    ${CMAKE_CURRENT_LIST_DIR}/smtplogin.cpp)
target_link_libraries(quenlark_core PUBLIC Qt6Keychain::Qt6Keychain)
target_sources(quenlark_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/maillogonbox.cpp)
# The encoder runs over whole recordings: keep it optimised in debug builds as well.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/base64lib.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mailmessagestream.cpp
    TARGET_DIRECTORY quenlark_core PROPERTIES COMPILE_OPTIONS -O2)
