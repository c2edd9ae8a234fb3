/*
 * Defines the interface and class identifiers of the generated headers, and
 * checks at compile time that every host operation the component calls sits
 * at the vtable position the framework gives it (entry 6 + N for the N-th
 * operation after IDispatch's seven).
 */
#include <stddef.h>

#include <initguid.h>

#include "host.h"
#include "veldrane.h"

#define AT_POSITION(vtbl, member, n) \
    _Static_assert(offsetof(vtbl, member) == (6 + (n)) * sizeof(void *), #member " is not at position " #n)

AT_POSITION(IHostActiveInterfaceVtbl, get_Environment, 2);
AT_POSITION(IHostActiveInterfaceVtbl, get_Connection, 38);

AT_POSITION(IHostEnvironmentVtbl, get_UserContext, 21);
AT_POSITION(IHostEnvironmentVtbl, get_CompanyContext, 24);
AT_POSITION(IHostEnvironmentVtbl, get_ProductionColumns, 75);
AT_POSITION(IHostEnvironmentVtbl, get_FiltersApply, 83);
AT_POSITION(IHostEnvironmentVtbl, get_Translator, 89);

AT_POSITION(IHostCompanyContextVtbl, get_CompanyCode, 10);
AT_POSITION(IHostCompanyContextVtbl, get_Coding, 64);
AT_POSITION(IHostCompanyContextVtbl, get_TransferCheck, 144);
AT_POSITION(IHostCompanyContextVtbl, get_Language, 169);

AT_POSITION(IHostUserContextVtbl, get_Text1, 1);
AT_POSITION(IHostUserContextVtbl, get_Text4, 4);
AT_POSITION(IHostUserContextVtbl, get_DescriptionLanguage, 34);
AT_POSITION(IHostUserContextVtbl, get_UserId, 47);
AT_POSITION(IHostUserContextVtbl, get_Agent, 58);

AT_POSITION(IHostTranslatorVtbl, Translate, 11);
AT_POSITION(IHostCodingParametersVtbl, get_HierarchicalCoding, 44);

AT_POSITION(IHostFilterBuilderVtbl, SetConnection, 3);
AT_POSITION(IHostFilterBuilderVtbl, put_ConnectionText, 5);
AT_POSITION(IHostFilterBuilderVtbl, put_Text7, 7);
AT_POSITION(IHostFilterBuilderVtbl, put_Text9, 9);
AT_POSITION(IHostFilterBuilderVtbl, put_Text11, 11);
AT_POSITION(IHostFilterBuilderVtbl, put_Flag14, 14);
AT_POSITION(IHostFilterBuilderVtbl, put_Company, 22);
AT_POSITION(IHostFilterBuilderVtbl, FilterClause, 39);
AT_POSITION(IHostFilterBuilderVtbl, FilterClause2, 47);

AT_POSITION(IHostFirstExtensionVtbl, get_Extender, 1);
AT_POSITION(IHostFirstExtensionVtbl, putref_Connection, 2);
AT_POSITION(IHostFirstExtensionVtbl, put_Entity, 16);
AT_POSITION(IHostFirstExtensionVtbl, Extend, 90);

AT_POSITION(IHostSecondExtensionVtbl, SetEntity, 3);
AT_POSITION(IHostSecondExtensionVtbl, putref_ActiveInterface, 29);
AT_POSITION(IHostSecondExtensionVtbl, Close, 48);
AT_POSITION(IHostSecondExtensionVtbl, Extend, 64);

AT_POSITION(IHostConverterVtbl, get_Status, 3);
AT_POSITION(IHostConverterVtbl, put_Value, 8);
AT_POSITION(IHostConverterVtbl, get_Output, 9);
