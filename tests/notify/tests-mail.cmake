# Mail composition, the SMTP conversation (and the mail window) against scripted servers, and
# delivery to a real SMTP server (aiosmtpd) on loopback.
quenlark_add_test(tst_mailcompose ${CMAKE_CURRENT_LIST_DIR}/tst_mailcompose.cpp)
quenlark_add_test(tst_mailsender ${CMAKE_CURRENT_LIST_DIR}/tst_mailsender.cpp)
quenlark_add_test(tst_mailsmtp ${CMAKE_CURRENT_LIST_DIR}/tst_mailsmtp.cpp LABELS smtp TIMEOUT 120)
