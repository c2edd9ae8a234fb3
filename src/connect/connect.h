// CLSMG_CONNECT: opens the module's programs by forwarding each request, by
// name, to the sibling connector, and relays what the opened programs send
// back as events or into a bound control.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "frame/component.h"
#include "frame/members.h"
#include "host/framework.h"

namespace veldrane {

/// The source interface of the facade: what a client receives when an opened
/// program reports back.
class connect_events {
 public:
  virtual ~connect_events() = default;
  /// A handler may set `cancel`; the caller of TransferData sees it.
  virtual void data_transfer(bool& cancel, const value& data, std::int32_t called_program) = 0;
  virtual void close_form(std::int32_t called_program) = 0;
};

class connect : public component, public object, public std::enable_shared_from_this<connect> {
 public:
  /// The sibling connector's programmatic identifier.
  static constexpr std::string_view kSiblingProgId = "TARNELL.CLSMG_CONNECT";

  explicit connect(std::shared_ptr<platform> p = nullptr);
  ~connect() override;

  static const class_info<connect>& info();

  // --- Public fields -----------------------------------------------------------
  const std::shared_ptr<host::active_interface>& active_interface() const { return active_; }
  void set_active_interface(std::shared_ptr<host::active_interface> ai) { active_ = std::move(ai); }
  object_ptr connect_field;
  bool create_instance = false;
  bool window_modal = true;
  std::int32_t program_mode = 2;
  std::int32_t window_state = 0;
  std::int32_t top = 0;
  std::int32_t left = 0;
  bool richiesta_ditta = false;
  bool show_method = true;
  bool ask_ditta = true;
  bool flag_apertura_automatica = false;

  /// The sibling connector, Nothing when none is held.
  const object_ptr& sibling() const { return sibling_; }

  // --- Events ----------------------------------------------------------------
  void advise(std::shared_ptr<connect_events> sink);

  // --- The facade's own members -------------------------------------------------
  void transfer_data(bool& cancel, const value& data, std::int32_t called_program);
  void form_close(std::int32_t called_program);
  void terminate_connect();

  /// How a program member hands its request on.
  struct forward_plan {
    /// The sibling's member, when it is not the facade's own name.
    std::string_view sibling_member;
    /// By-reference parameters are handed on as copies of the caller's
    /// values rather than as the caller's variables.
    bool references_as_values = false;
    /// Appended after the arguments, by reference.
    value* extra = nullptr;
  };
  /// The forwarding protocol: makes sure a sibling exists, converts the
  /// arguments as the member's parameters say, calls the sibling's member,
  /// releases the sibling when WindowModal is True, and answers True; on any
  /// error shows the message box naming the member and answers False.
  bool forward(std::string_view member, std::span<value> args, const forward_plan& plan);
  bool forward(std::string_view member, std::span<value> args) { return forward(member, args, forward_plan{}); }

  /// Shows the error message box for an error that reached `function`.
  void message_box_for(const automation_error& e, std::string_view function) { show_error(e, function); }

  /// The facade seen late-bound, as the sibling and the opened programs see
  /// it through ClsConnect.
  value call(std::string_view member, member_kind kind, std::vector<value*> args) override;
  std::string type_name() const override { return "CLSMG_CONNECT"; }

 private:
  void ensure_sibling();  // IstanziaClasseConnect
  /// Shows the error in a critical-stop message box naming the function.
  void show_error(const automation_error& e, std::string_view function);

  std::shared_ptr<host::active_interface> active_;
  object_ptr sibling_;
  std::vector<std::shared_ptr<connect_events>> sinks_;
};

/// The text of the connector's error message box.
std::string error_prompt(const automation_error& e, std::string_view function);

/// The called-program enumeration: the programs that report back through
/// TransferData and FormClose.
struct called_program {
  std::string_view name;
  std::int32_t number;
};
std::span<const called_program> called_programs();

}  // namespace veldrane
