// The deployment artefacts of one architecture's DLL, from the same class
// and library tables as the type library:
//   <assembly>.manifest     the side-by-side assembly of VELDRANE.dll, for
//                           registration-free activation: its identity, a
//                           comClass per class, the type library and the
//                           proxy/stub of each automation interface;
//   application.manifest    what a client application ships as
//                           <program>.exe.manifest to depend on it;
//   VELDRANE.wxs            the installer source for wixl: the DLL, the
//                           administrator's README.txt and the example under
//                           Program Files, as registry rows every key
//                           DllRegisterServer writes (wixl has no
//                           self-registration), and a complete Add/Remove
//                           Programs entry.
#include "deploy.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "library.h"

namespace comgen {

namespace {

// The name of the side-by-side assembly: the vendor's and the library's
// (not the DLL's own name: a loader probing for an assembly named like the
// DLL would find the DLL, which carries no manifest).
std::string assembly_name() { return std::string(library().company) + "." + std::string(library().name); }

// The administrator's document that the packages install beside the DLL.
constexpr std::string_view kDocument = "README.txt";

// Automation's own proxy/stubs: the type-library marshaler for dual
// interfaces, the dispatch one for pure dispatch interfaces.
constexpr std::string_view kDualProxyStub = "{00020424-0000-0000-C000-000000000046}";
constexpr std::string_view kDispatchProxyStub = "{00020420-0000-0000-C000-000000000046}";
constexpr std::string_view kIDispatch = "{00020400-0000-0000-C000-000000000046}";

// The component that holds, in both packages, the keys that both
// architectures' registrations share on 64-bit Windows: the library's name,
// FLAGS and HELPDIR, and the ProgIDs. The same identifier in both packages
// makes Windows Installer count the products that installed it, so that
// removing one package leaves them to the other. Each package marks it with
// its own architecture; as the keys are shared, both address the same ones.
constexpr std::string_view kSharedComponent = "{814A41A9-3FF6-4F0F-937E-DB332DA399FB}";

struct architecture {
  std::string_view name;          // x64, x86: wixl's -a and the file names
  std::string_view sxs;           // processorArchitecture
  std::string_view typelib_kind;  // the type library's platform key
  std::string_view program_files;
  bool win64;
  // One product line per architecture, so that both may be installed; and
  // components of their own, as they install to different places.
  std::string_view upgrade_code, server_component, documents_component;
};

constexpr architecture kArchitectures[] = {
    {"x64", "amd64", "win64", "ProgramFiles64Folder", true, "{C16CABC8-5F8A-4FCE-8831-B1620FA2FEFD}",
     "{3C31BB64-AB27-43CB-85A5-CD86187F69D6}", "{681AF58D-00E2-4150-A3F0-AA91CD0A8D75}"},
    {"x86", "x86", "win32", "ProgramFilesFolder", false, "{1762541B-5DEC-4496-B25D-E03BC4FB0E2C}",
     "{014421E1-B5A5-4E33-B569-4256AE7991E9}", "{DA2EC88F-8D5C-4C4B-ADEB-7DE92B091146}"},
};

const architecture& find_architecture(std::string_view name) {
  for (const architecture& a : kArchitectures)
    if (a.name == name) return a;
  throw std::runtime_error("unknown architecture " + std::string(name) + " (x64 or x86)");
}

std::string number(unsigned v, const char* format) {
  char buf[16];
  std::snprintf(buf, sizeof buf, format, v);
  return buf;
}

std::string xml(std::string_view s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out.push_back(c);
    }
  }
  return out;
}

std::string identity(const architecture& a) {
  return "<assemblyIdentity type=\"win32\" name=\"" + assembly_name() + "\" version=\"" + version_text() +
         "\" processorArchitecture=\"" + std::string(a.sxs) + "\"/>";
}

// Every automation interface of the library with its proxy/stub: the
// classes' dual interfaces, then their source interfaces.
struct interface_row {
  std::string_view name, iid, proxy_stub;
};

std::vector<interface_row> interfaces(const std::vector<class_entry>& all) {
  std::vector<interface_row> out;
  for (const auto& c : all) out.push_back({c.interface, c.iid, kDualProxyStub});
  for (const auto& c : all)
    if (c.source) out.push_back({c.source->name, c.source->iid, kDispatchProxyStub});
  return out;
}

void write_manifest(std::ostream& o, const architecture& a) {
  const library_info& lib = library();
  const auto all = classes();
  o << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    << "<!-- Generated by comgen from the member tables. Do not edit. -->\n"
    << "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n  " << identity(a) << "\n"
    << "  <file name=\"" << lib.file_name << "\">\n";
  for (const auto& c : all)
    o << "    <comClass clsid=\"" << c.clsid << "\" progid=\"" << progid(c) << "\" threadingModel=\"Apartment\" tlbid=\""
      << lib.libid << "\" description=\"" << c.name << "\">\n      <progid>" << versioned_progid(c)
      << "</progid>\n    </comClass>\n";
  o << "    <typelib tlbid=\"" << lib.libid << "\" version=\"" << lib.major << "." << lib.minor
    << "\" helpdir=\"\" flags=\"\"/>\n  </file>\n";
  for (const interface_row& i : interfaces(all))
    o << "  <comInterfaceExternalProxyStub name=\"" << i.name << "\" iid=\"" << i.iid << "\" proxyStubClsid32=\""
      << i.proxy_stub << "\" baseInterface=\"" << kIDispatch << "\" tlbid=\"" << lib.libid << "\"/>\n";
  o << "</assembly>\n";
}

void write_application_manifest(std::ostream& o, const architecture& a) {
  o << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    << "<!-- Ship as <program>.exe.manifest beside a client program, with VELDRANE.dll and\n"
    << "     " << assembly_name() << ".manifest in the same folder. Generated by comgen. -->\n"
    << "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n"
    << "  <dependency>\n    <dependentAssembly>\n      " << identity(a) << "\n    </dependentAssembly>\n"
    << "  </dependency>\n</assembly>\n";
}

// One registry row of the installer: a value (empty name: the key's
// default) under HKEY_CLASSES_ROOT.
void write_row(std::ostream& o, std::string_view key, std::string_view name, std::string_view value,
                  bool key_path = false) {
  o << "            <RegistryValue Root=\"HKCR\" Key=\"" << xml(key) << "\"";
  if (!name.empty()) o << " Name=\"" << xml(name) << "\"";
  o << " Type=\"string\" Value=\"" << xml(value) << "\"";
  if (key_path) o << " KeyPath=\"yes\"";
  o << "/>\n";
}

// Sets a property to a formatted value (a path under the installation
// folder) once the folders are known.
void set_property(std::ostream& o, std::string_view property, std::string_view value) {
  o << "    <CustomAction Id=\"Set" << property << "\" Property=\"" << property << "\" Value=\"" << xml(value)
    << "\"/>\n";
}

void write_wxs(std::ostream& o, const architecture& a) {
  const library_info& lib = library();
  const auto all = classes();
  const std::string win64 = a.win64 ? "yes" : "no";
  const std::string dll_path = "[#" + std::string(lib.file_name) + "]";
  const std::string tl_key = typelib_key();
  o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    << "<!-- Generated by comgen from the member tables. Do not edit.\n"
    << "     wixl -a " << a.name << " -D Files=<folder holding " << lib.file_name << ", " << kDocument
    << " and example.vbs, a relative path> -o " << lib.name << "-" << a.name << ".msi " << lib.name << ".wxs -->\n"
    << "<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">\n"
    << "  <Product Id=\"*\" Name=\"" << lib.name << " (" << a.name << ")\" Language=\"1033\" Version=\""
    << version_text() << "\" Manufacturer=\"" << lib.company << "\" UpgradeCode=\"" << a.upgrade_code << "\">\n"
    << "    <Package InstallerVersion=\"200\" Compressed=\"yes\" InstallScope=\"perMachine\" Description=\""
    << xml(lib.help_string) << "\"/>\n"
    << "    <MajorUpgrade DowngradeErrorMessage=\"A newer version of " << lib.name << " is installed.\"/>\n"
    << "    <Media Id=\"1\" Cabinet=\"veldrane.cab\" EmbedCab=\"yes\"/>\n"
    // The Add/Remove Programs entry: what the product is, who makes it,
    // where it is installed and where its documentation is; nothing to
    // modify (one feature).
    << "    <Property Id=\"ARPCOMMENTS\" Value=\"" << xml(lib.help_string) << "\"/>\n"
    << "    <Property Id=\"ARPCONTACT\" Value=\"" << lib.company << "\"/>\n"
    << "    <Property Id=\"ARPNOMODIFY\" Value=\"1\"/>\n";
  set_property(o, "ARPINSTALLLOCATION", "[INSTALLDIR]");
  set_property(o, "ARPHELPLINK", "[INSTALLDIR]" + std::string(kDocument));
  // Right after CostFinalize (1000), which resolves the folders; by number,
  // as wixl 0.101 puts an action scheduled After= another at the end of the
  // sequence, after RegisterProduct has written the entry.
  o << "    <InstallExecuteSequence>\n"
    << "      <Custom Action=\"SetARPINSTALLLOCATION\" Sequence=\"1001\"/>\n"
    << "      <Custom Action=\"SetARPHELPLINK\" Sequence=\"1002\"/>\n"
    << "    </InstallExecuteSequence>\n"
    << "    <Directory Id=\"TARGETDIR\" Name=\"SourceDir\">\n"
    << "      <Directory Id=\"" << a.program_files << "\">\n"
    << "        <Directory Id=\"INSTALLDIR\" Name=\"" << lib.name << "\">\n"
    << "          <Component Id=\"Server\" Guid=\"" << a.server_component << "\" Win64=\"" << win64 << "\">\n"
    << "            <File Id=\"" << lib.file_name << "\" Name=\"" << lib.file_name << "\" Source=\"$(var.Files)/"
    << lib.file_name << "\" KeyPath=\"yes\"/>\n";
  // The keys of DllRegisterServer, class by class: this architecture's
  // here, the shared ones below.
  for (const auto& c : all)
    for (const registry_row& r : class_registry(c))
      if (!r.shared) write_row(o, r.key, r.name, r.module_path ? dll_path : r.value);
  // This architecture's registration of the library, under its own locale
  // and under the neutral one (where the type-library marshaler looks),
  // then the library's automation interfaces.
  for (unsigned lcid : {lib.lcid, 0u})
    write_row(o, tl_key + "\\" + number(lcid, "%x") + "\\" + std::string(a.typelib_kind), "", dll_path);
  for (const interface_row& i : interfaces(all)) {
    const std::string key = "Interface\\" + std::string(i.iid);
    write_row(o, key, "", i.name);
    write_row(o, key + "\\ProxyStubClsid", "", i.proxy_stub);
    write_row(o, key + "\\ProxyStubClsid32", "", i.proxy_stub);
    write_row(o, key + "\\TypeLib", "", lib.libid);
    write_row(o, key + "\\TypeLib", "Version", typelib_key_version());
  }
  o << "          </Component>\n"
    << "          <Component Id=\"Shared\" Guid=\"" << kSharedComponent << "\" Win64=\"" << win64 << "\">\n";
  // The library's name, FLAGS and HELPDIR as registering the library
  // writes them, then the ProgIDs.
  write_row(o, tl_key, "", lib.help_string, true);
  write_row(o, tl_key + "\\FLAGS", "", number(lib.flags, "%x"));
  write_row(o, tl_key + "\\HELPDIR", "", "[INSTALLDIR]");
  for (const auto& c : all)
    for (const registry_row& r : class_registry(c))
      if (r.shared) write_row(o, r.key, r.name, r.value);
  o << "          </Component>\n"
    << "          <Component Id=\"Documents\" Guid=\"" << a.documents_component << "\" Win64=\"" << win64 << "\">\n"
    << "            <File Id=\"" << kDocument << "\" Name=\"" << kDocument << "\" Source=\"$(var.Files)/" << kDocument
    << "\" KeyPath=\"yes\"/>\n"
    << "            <File Id=\"example.vbs\" Name=\"example.vbs\" Source=\"$(var.Files)/example.vbs\"/>\n"
    << "          </Component>\n"
    << "        </Directory>\n      </Directory>\n    </Directory>\n"
    << "    <Feature Id=\"Complete\" Level=\"1\">\n"
    << "      <ComponentRef Id=\"Server\"/>\n      <ComponentRef Id=\"Shared\"/>\n"
    << "      <ComponentRef Id=\"Documents\"/>\n    </Feature>\n"
    << "  </Product>\n</Wix>\n";
}

}  // namespace

void write_deployment(const std::filesystem::path& dir, std::string_view arch) {
  const architecture& a = find_architecture(arch);
  const struct {
    std::string name;
    void (*write)(std::ostream&, const architecture&);
  } files[] = {
      {assembly_name() + ".manifest", write_manifest},
      {"application.manifest", write_application_manifest},
      {"VELDRANE.wxs", write_wxs},
  };
  std::filesystem::create_directories(dir);
  for (const auto& f : files) {
    std::ostringstream text;
    f.write(text, a);
    std::ifstream in(dir / f.name, std::ios::binary);
    if (in) {
      std::ostringstream old;
      old << in.rdbuf();
      if (old.str() == text.str()) continue;
    }
    std::ofstream out(dir / f.name, std::ios::binary | std::ios::trunc);
    out << text.str();
    if (!out) throw std::runtime_error("cannot write " + (dir / f.name).string());
  }
}

}  // namespace comgen
