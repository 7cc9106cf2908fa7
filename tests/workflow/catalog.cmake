# The catalog's product rules: categories, the assembled split, typed and spoken search.
vantrel_add_test(NAME tst_catalog_search SOURCES tst_catalog_search.cpp
  LIBS vantrel_workflow LABELS unit)
vantrel_add_test(NAME tst_visible_products SOURCES tst_visible_products.cpp WorkflowTestSupport.h
  LIBS vantrel_workflow LABELS unit)
