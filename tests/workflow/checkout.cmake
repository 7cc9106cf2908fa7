# Checkout, payment watching, recovery, the actions after payment, printing.
if(TARGET vantrel_standin AND TARGET vantrel_platform_print)
  vantrel_add_test(NAME tst_checkout_flow
    SOURCES tst_checkout_flow.cpp CheckoutFlowSupport.h LoopbackServer.h
    LIBS vantrel_workflow vantrel_standin vantrel_platform_print Qt6::Gui Qt6::Network
    LABELS integration TIMEOUT 120)
  vantrel_add_test(NAME tst_post_payment
    SOURCES tst_post_payment.cpp CheckoutFlowSupport.h LoopbackServer.h
    LIBS vantrel_workflow vantrel_standin vantrel_platform_print Qt6::Gui Qt6::Network
    LABELS integration TIMEOUT 120)
  vantrel_add_test(NAME tst_print
    SOURCES tst_print.cpp CheckoutFlowSupport.h
    LIBS vantrel_workflow vantrel_standin vantrel_platform_print Qt6::Widgets Qt6::PrintSupport Qt6::Pdf
    LABELS unit)
endif()
