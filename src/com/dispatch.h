// One member call from a vtable thunk to the portable core: the raw COM
// arguments become values, are bound to the member's parameters, the
// member's entry runs, what it left in by-reference parameters goes back to
// the caller's variables, and its result goes back in the COM out
// parameter. Every error is turned into an HRESULT here; nothing is thrown
// past it. Every argument of every member passes through here, whether the
// call came through the vtable or IDispatch::Invoke.
#pragma once

#include "frame/members.h"

#include <new>
#include <span>
#include <vector>

#include "com/errors.h"
#include "com/raw_args.h"
#include "com/variant.h"

namespace veldrane::com {

/// The value of an argument; a by-reference one given as a null pointer is
/// missing.
value from_raw(const raw_arg& a);
/// Writes a by-reference parameter's value back into the caller's variable.
void copy_back(const value& v, const raw_arg& a);
/// Clears the out parameter (so that a failed call hands back nothing).
/// False when it is a null pointer.
bool clear_raw(const raw_result& r);
/// Writes the result; a Variant out parameter of a member whose declared
/// result is typed receives the value in that type, by the core's rules.
void to_raw(const value& v, const raw_result& r, param_type declared = param_type::variant);

/// Runs the member. An argument that refers to nothing (malformed_variant)
/// is refused before anything reads through it: DISP_E_TYPEMISMATCH, with
/// its index among `args` in *bad_arg, as the automation runtime refuses an
/// argument of the wrong type; the member does not run.
template <class C>
HRESULT dispatch_call(C& core, const member_info<C>& m, std::span<const raw_arg> args, const raw_result& result,
                      const char* source, const IID& iid, std::size_t* bad_arg = nullptr) noexcept {
  if (!clear_raw(result)) return E_POINTER;
  try {
    std::vector<value> values;
    values.reserve(args.size());
    bool any_by_ref = false;
    for (const raw_arg& a : args) {
      try {
        values.push_back(from_raw(a));
      } catch (const malformed_variant&) {
        if (bad_arg) *bad_arg = values.size();
        SetErrorInfo(0, nullptr);  // no earlier call's error object for this failure
        return DISP_E_TYPEMISMATCH;
      }
      any_by_ref = any_by_ref || a.by_ref;
    }
    // What the caller handed in, to tell what the member changed: a
    // variable is written only when its value changed, so that one the
    // member merely read keeps its own type.
    std::vector<value> given;
    if (any_by_ref) given = values;
    bind_arguments_in_place(m.parameters(), values, source);
    value r = call_entry(core, m, values);
    for (std::size_t i = 0; i < given.size(); ++i)
      if (args[i].by_ref && !given[i].is_missing() && !(values[i] == given[i])) copy_back(values[i], args[i]);
    to_raw(r, result, m.returns);
    return S_OK;
  } catch (const automation_error& e) {
    return report(e, iid);
  } catch (const std::bad_alloc&) {
    return report(automation_error(err::out_of_memory, "Out of memory", source), iid);
  } catch (const std::exception& e) {
    return report(automation_error(err::internal_error, std::string("Internal error: ") + e.what(), source), iid);
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace veldrane::com
