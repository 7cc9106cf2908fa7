# The catalog's product rules: categories, the assembled split, typed and spoken search.
vantrel_add_test(NAME tst_catalog_search SOURCES tst_catalog_search.cpp
  LIBS vantrel_workflow LABELS unit)
