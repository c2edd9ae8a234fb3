// Reads the type library that VELDRANE.dll carries, through ITypeLib and
// ITypeInfo (LoadTypeLibEx on the DLL, no registration), writes it in the
// form of the published interface's reference (one line per member: dispatch
// id, invoke kind, hidden flag, parameter names, types, optional and
// in/out flags, defaults; the event interface; the enumeration's values)
// and compares it with that reference.
//
// Usage: typelib_client <VELDRANE.dll> <published.txt>. Prints the lines
// that differ; the exit status is 1 when any does.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string utf8(const wchar_t* w) {
  if (!w) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w, -1, s.data(), n, nullptr, nullptr);
  return s;
}

std::string guid_text(const GUID& g) {
  wchar_t buf[40];
  StringFromGUID2(g, buf, 40);
  return utf8(buf);
}

std::string doc_name(ITypeInfo* ti, MEMBERID id) {
  BSTR b = nullptr;
  ti->GetDocumentation(id, &b, nullptr, nullptr, nullptr);
  std::string s = utf8(b);
  SysFreeString(b);
  return s;
}

std::string hex(unsigned v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%0*X", digits, v);
  return buf;
}

// A pointer shows as a trailing "*"; a type of the library by its name.
std::string type_text(ITypeInfo* ti, const TYPEDESC& td) {
  switch (td.vt) {
    case VT_VARIANT: return "Variant";
    case VT_BSTR: return "String";
    case VT_I2: return "Integer";
    case VT_I4: return "Long";
    case VT_BOOL: return "Boolean";
    case VT_DISPATCH: return "Object";
    case VT_PTR: return type_text(ti, *td.lptdesc) + "*";
    case VT_USERDEFINED: {
      ITypeInfo* ref = nullptr;
      if (ti->GetRefTypeInfo(td.hreftype, &ref) != S_OK) return "?";
      std::string name = doc_name(ref, MEMBERID_NIL);
      ref->Release();
      return name == "IDispatch" ? "Object" : name;
    }
    default: return "vt" + std::to_string(td.vt);
  }
}

// The default as the reference writes it. widl keeps a Variant pointer's
// number inline, typed with the pointer's target (VT_VARIANT).
std::string default_text(VARIANT d, const std::string& type) {
  if (type == "Object") return "Nothing";
  if (V_VT(&d) == VT_VARIANT) return std::to_string(V_I4(&d));
  if (V_VT(&d) == VT_BSTR) return std::string("\"").append(utf8(V_BSTR(&d))).append("\"");
  const bool truth = type == "Boolean" || V_VT(&d) == VT_BOOL;
  VARIANT v;
  VariantInit(&v);
  if (VariantChangeType(&v, &d, 0, truth ? VT_BOOL : VT_I4) != S_OK) return "?";
  return truth ? (V_BOOL(&v) ? "True" : "False") : std::to_string(V_I4(&v));
}

std::string param_text(ITypeInfo* ti, const ELEMDESC& e, const std::string& name) {
  const USHORT f = e.paramdesc.wParamFlags;
  const bool by_ref = f & PARAMFLAG_FOUT;
  // A method's Variant comes as an in-only pointer, so that a left-out one
  // can be marked missing: still an argument by value.
  std::string type = type_text(ti, e.tdesc);
  if ((by_ref || type == "Variant*") && type.back() == '*') type.pop_back();
  std::string out =
      std::string(f & PARAMFLAG_FOPT ? "Optional " : "") + (by_ref ? "ByRef " : "") + name + " As " + type;
  if ((f & PARAMFLAG_FHASDEFAULT) && e.paramdesc.pparamdescex)
    out += " = " + default_text(e.paramdesc.pparamdescex->varDefaultValue, type);
  return out;
}

/// A function as the reference writes a member: interface, dispatch id,
/// hidden flag, then the declaration; the [out, retval] parameter is the
/// result, and a property's value shows only its type.
std::string function_line(ITypeInfo* ti, const std::string& iface, const FUNCDESC& fd) {
  BSTR names[32] = {};
  UINT count = 0;
  ti->GetNames(fd.memid, names, 32, &count);
  std::string out =
      iface + " " + hex(static_cast<unsigned>(fd.memid), 8) + (fd.wFuncFlags & FUNCFLAG_FHIDDEN ? " [hidden] " : " ");
  const std::string name = utf8(names[0]);
  std::vector<std::string> params;
  std::string result = fd.elemdescFunc.tdesc.vt == VT_VOID || fd.elemdescFunc.tdesc.vt == VT_HRESULT
                           ? ""
                           : type_text(ti, fd.elemdescFunc.tdesc);
  std::string value_type;
  for (SHORT i = 0; i < fd.cParams; ++i) {
    const ELEMDESC& e = fd.lprgelemdescParam[i];
    if (e.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) {
      result = type_text(ti, e.tdesc);
      if (result.back() == '*') result.pop_back();
    } else if (fd.invkind != INVOKE_FUNC && i + 1 == fd.cParams) {
      value_type = type_text(ti, e.tdesc);
    } else {
      params.push_back(param_text(ti, e, i + 1 < static_cast<SHORT>(count) ? utf8(names[i + 1]) : "?"));
    }
  }
  for (UINT i = 0; i < count; ++i) SysFreeString(names[i]);
  std::string list = "(";
  for (const auto& p : params) list += (list.size() > 1 ? ", " : "") + p;
  list += ")";
  const std::string args = params.empty() ? "" : list;
  switch (fd.invkind) {
    case INVOKE_PROPERTYGET: return out + "Property Get " + name + args + " As " + result;
    case INVOKE_PROPERTYPUT: return out + "Property Let " + name + args + " As " + value_type;
    case INVOKE_PROPERTYPUTREF: return out + "Property Set " + name + args + " As " + value_type;
    default:
      return out + (result.empty() ? "Sub " : "Function ") + name + list + (result.empty() ? "" : " As " + result);
  }
}

/// A coclass: its identity, its default interface (the vtable view of the
/// dual interface) and its source interface, members in slot order.
void coclass(ITypeInfo* cls, std::vector<std::string>& out) {
  TYPEATTR* a = nullptr;
  cls->GetTypeAttr(&a);
  std::string head = "coclass " + doc_name(cls, MEMBERID_NIL) + " " + guid_text(a->guid);
  std::vector<std::string> members;
  for (UINT i = 0; i < a->cImplTypes; ++i) {
    INT flags = 0;
    HREFTYPE ref = 0;
    ITypeInfo* it = nullptr;
    if (cls->GetImplTypeFlags(i, &flags) != S_OK || cls->GetRefTypeOfImplType(i, &ref) != S_OK ||
        cls->GetRefTypeInfo(ref, &it) != S_OK)
      continue;
    ITypeInfo* vt = nullptr;
    if (!(flags & IMPLTYPEFLAG_FSOURCE) && it->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref) == S_OK &&
        it->GetRefTypeInfo(ref, &vt) == S_OK) {
      it->Release();
      it = vt;
    }
    TYPEATTR* ia = nullptr;
    it->GetTypeAttr(&ia);
    std::string f = flags & IMPLTYPEFLAG_FDEFAULT ? "default" : "";
    if (flags & IMPLTYPEFLAG_FSOURCE) f += f.empty() ? "source" : ", source";
    head += " [" + f + "] " + doc_name(it, MEMBERID_NIL) + " " + guid_text(ia->guid);
    const std::string iface = doc_name(it, MEMBERID_NIL);
    for (UINT k = 0; k < ia->cFuncs; ++k) {
      FUNCDESC* fd = nullptr;
      if (it->GetFuncDesc(k, &fd) != S_OK) continue;
      members.push_back(function_line(it, iface, *fd));
      it->ReleaseFuncDesc(fd);
    }
    it->ReleaseTypeAttr(ia);
    it->Release();
  }
  cls->ReleaseTypeAttr(a);
  out.push_back(head);
  out.insert(out.end(), members.begin(), members.end());
}

void enumeration(ITypeInfo* ti, std::vector<std::string>& out) {
  TYPEATTR* a = nullptr;
  ti->GetTypeAttr(&a);
  const std::string name = doc_name(ti, MEMBERID_NIL);
  out.push_back("enum " + name + " " + guid_text(a->guid));
  for (UINT i = 0; i < a->cVars; ++i) {
    VARDESC* vd = nullptr;
    if (ti->GetVarDesc(i, &vd) != S_OK) continue;
    VARIANT v;
    VariantInit(&v);
    const bool number = vd->varkind == VAR_CONST && VariantChangeType(&v, vd->lpvarValue, 0, VT_I4) == S_OK;
    out.push_back(name + " " + doc_name(ti, vd->memid) + " = " + (number ? std::to_string(V_I4(&v)) : "?"));
    ti->ReleaseVarDesc(vd);
  }
  ti->ReleaseTypeAttr(a);
}

std::vector<std::string> library_lines(ITypeLib* tl) {
  std::vector<std::string> out;
  TLIBATTR* la = nullptr;
  tl->GetLibAttr(&la);
  BSTR name = nullptr, help = nullptr;
  tl->GetDocumentation(-1, &name, &help, nullptr, nullptr);
  out.push_back("library " + utf8(name) + " " + guid_text(la->guid) + " " + std::to_string(la->wMajorVerNum) + "." +
                std::to_string(la->wMinorVerNum) + " " + hex(la->lcid, 4) + " \"" + utf8(help) + "\"");
  SysFreeString(name);
  SysFreeString(help);
  tl->ReleaseTLibAttr(la);
  std::vector<std::string> enums;
  for (UINT i = 0; i < tl->GetTypeInfoCount(); ++i) {
    TYPEKIND kind;
    ITypeInfo* ti = nullptr;
    if (tl->GetTypeInfoType(i, &kind) != S_OK || tl->GetTypeInfo(i, &ti) != S_OK) continue;
    if (kind == TKIND_COCLASS) coclass(ti, out);
    if (kind == TKIND_ENUM) enumeration(ti, enums);
    ti->Release();
  }
  out.insert(out.end(), enums.begin(), enums.end());
  return out;
}

/// A reference line as the type library can carry it. Automation marks only
/// a Variant as left out, so an optional parameter of another type carries
/// a default (its own, or its type's zero), and one passed by reference
/// without a default travels as a Variant; a Variant's text default is not
/// carried (the component binds it when the argument is missing).
std::string carried(const std::string& line) {
  const auto open = line.find('('), close = line.rfind(')');
  if (open == std::string::npos || close == std::string::npos) return line;
  std::string list, rest = line.substr(open + 1, close - open - 1);
  while (!rest.empty()) {
    const auto comma = rest.find(", ");
    std::string p = rest.substr(0, comma);
    rest = comma == std::string::npos ? "" : rest.substr(comma + 2);
    const auto as = p.find(" As "), eq = p.find(" = ");
    const std::string type = p.substr(as + 4, eq == std::string::npos ? std::string::npos : eq - as - 4);
    if (p.rfind("Optional ", 0) == 0 && eq == std::string::npos && type != "Variant") {
      if (p.rfind("Optional ByRef ", 0) == 0)
        p = p.substr(0, as) + " As Variant";
      else
        p += type == "String" ? " = \"\"" : type == "Boolean" ? " = False" : type == "Object" ? " = Nothing" : " = 0";
    } else if (type == "Variant" && eq != std::string::npos && p[eq + 3] == '"') {
      p = p.substr(0, eq);
    }
    list += (list.empty() ? "" : ", ") + p;
  }
  return line.substr(0, open + 1) + list + line.substr(close);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::printf("usage: typelib_client <VELDRANE.dll> <published.txt>\n");
    return 2;
  }
  std::vector<std::string> reference;
  std::ifstream in(argv[2]);
  for (std::string line; std::getline(in, line);) reference.push_back(carried(line));
  const int n = MultiByteToWideChar(CP_UTF8, 0, argv[1], -1, nullptr, 0);
  std::wstring path(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, argv[1], -1, path.data(), n);
  ITypeLib* tl = nullptr;
  const HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &tl);
  if (reference.empty() || hr != S_OK) {
    std::printf("FAIL: reference %s (%u lines), type library %#lx\n", argv[2], unsigned(reference.size()), hr);
    return 1;
  }
  const std::vector<std::string> actual = library_lines(tl);
  tl->Release();
  int differ = 0;
  for (std::size_t i = 0; i < reference.size() || i < actual.size(); ++i) {
    const std::string r = i < reference.size() ? reference[i] : "(end)", a = i < actual.size() ? actual[i] : "(end)";
    if (r == a) continue;
    if (++differ <= 10)
      std::printf("FAIL line %u\n  reference:    %s\n  type library: %s\n", unsigned(i + 1), r.c_str(), a.c_str());
  }
  std::printf("%u lines, %d differ\n", unsigned(actual.size()), differ);
  return differ ? 1 : 0;
}
