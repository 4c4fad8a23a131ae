# The server's identities. Clients compiled against one build must keep working with the next,
# and an installed package must be upgraded in place by the next, so these were generated once
# and never change.
set(SHEETPUSH_LIBID 1483D782-A65D-4537-8B1A-614D71B36BBC)
set(SHEETPUSH_IID_EXCELLINKE 28ADC7E8-A17A-4835-B394-80F464DCBA9E)
set(SHEETPUSH_CLSID_EXCELLINKE A500801F-3070-4A68-B1F7-F19A247AA098)
set(SHEETPUSH_UPGRADE_CODE 66550D12-0E1E-4760-ADFE-6FDF73599163)
