# Mail composition, the SMTP conversation (and the mail window) against scripted servers, and
# delivery to a real SMTP server (aiosmtpd) on loopback (tst_mailsecure).
quenlark_add_test(tst_mailcompose ${CMAKE_CURRENT_LIST_DIR}/tst_mailcompose.cpp)
quenlark_add_test(tst_mailsender ${CMAKE_CURRENT_LIST_DIR}/tst_mailsender.cpp)
# Secured and authenticated mail: the window's login settings and the password's store
# (unit; the real keychain case skips itself on a bus with a secret service), and delivery
# over STARTTLS and TLS with AUTH to aiosmtpd with a test certificate authority (smtp).
quenlark_add_test(tst_maillogon ${CMAKE_CURRENT_LIST_DIR}/tst_maillogon.cpp)
quenlark_add_test(tst_mailsecure ${CMAKE_CURRENT_LIST_DIR}/tst_mailsecure.cpp LABELS smtp
    TIMEOUT 180)
