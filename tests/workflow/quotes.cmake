# Catalog and account refresh, customers and deals, quote open, edit and save.
vantrel_add_test(NAME tst_quotes_validation SOURCES tst_quotes_validation.cpp
  LIBS vantrel_workflow LABELS unit)

if(TARGET vantrel_standin)
  foreach(name tst_refresh tst_customers tst_quotes)
    vantrel_add_test(NAME ${name} SOURCES ${name}.cpp tst_quotes_fixture.h
      LIBS vantrel_workflow vantrel_standin Qt6::Network LABELS integration TIMEOUT 120)
  endforeach()
endif()
