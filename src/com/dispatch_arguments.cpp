#include "com/dispatch_arguments.hpp"

namespace sheetpush::com {

HRESULT orderArguments(const DISPPARAMS& parameters, UINT parameterCount, OrderedArguments& ordered,
                       UINT* argumentError) {
    if (parameters.cArgs != parameterCount || parameters.cNamedArgs > parameters.cArgs)
        return DISP_E_BADPARAMCOUNT;
    if ((parameters.cArgs && !parameters.rgvarg) ||
        (parameters.cNamedArgs && !parameters.rgdispidNamedArgs))
        return E_INVALIDARG;
    ordered.fill(nullptr);
    UINT positional = parameters.cArgs - parameters.cNamedArgs;
    for (UINT place = 0; place < positional; ++place)
        ordered[place] = &parameters.rgvarg[parameters.cArgs - 1 - place];
    for (UINT named = 0; named < parameters.cNamedArgs; ++named) {
        DISPID place = parameters.rgdispidNamedArgs[named];
        if (place < 0 || static_cast<UINT>(place) >= parameterCount || ordered[place]) {
            if (argumentError)
                *argumentError = named;
            return DISP_E_PARAMNOTFOUND;
        }
        ordered[place] = &parameters.rgvarg[named];
    }
    return S_OK;
}

} // namespace sheetpush::com
