// The window, event loop, sound and desktop services of the Qt platform.
#include "qt/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QMediaDevices>
#include <QAudioDevice>
#include <QLockFile>
#include <QMessageBox>
#include <QScreen>
#include <QSoundEffect>
#include <QSvgRenderer>
#include <QTimer>
#include <QUrl>
#include <QtMultimedia/qaudio.h>
#include <algorithm>
#include <cstdlib>

#include "qt/frm_sekiba.h"
#include "qt/table_view.h"

namespace sekiba {

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

void QtPlatform::attach(FrmSekiba* window, Game* game) {
  window_ = window;
  game_ = game;
}

void QtPlatform::set_window_surface(const Surface* s) {
  if (window_) window_->set_surface(s);
}

void QtPlatform::window_changed() {
  if (window_) window_->surface_changed();
}

void QtPlatform::set_caption(const std::string& utf8) {
  if (window_) window_->setWindowTitle(qs(utf8));
}

void QtPlatform::show_notice(const std::string& utf8) {
  if (window_) window_->table_view()->show_notice(qs(utf8));
}

void QtPlatform::center_window() {
  if (!window_) return;
  // The window first appears here, once start-up knows it is the only copy:
  // a second copy shows its refusal alone, with no empty window behind it.
  if (window_->restore_geometry()) {
    // The player's own place and size from the last run.
    if (!window_->isVisible()) window_->show();
    return;
  }
  if (!window_->isVisible()) window_->show();
  QScreen* screen = window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect avail = screen->availableGeometry();
  QRect frame = window_->frameGeometry();
  window_->move(avail.left() + (avail.width() - frame.width()) / 2,
                avail.top() + (avail.height() - frame.height()) / 2);
}

void QtPlatform::set_pointer(const Surface* image, int hot_x, int hot_y) {
  if (window_) window_->set_table_pointer(image, hot_x, hot_y);
}

void QtPlatform::menu_visible(const std::string& menu, bool visible) {
  if (window_) window_->set_menu_visible(menu, visible);
}

void QtPlatform::menu_checked(const std::string& menu, bool checked) {
  if (window_) window_->set_menu_checked(menu, checked);
}

void QtPlatform::open_dialog(const std::string& form) {
  if (window_) window_->open_dialog(form);
}

void QtPlatform::close_dialog(const std::string& form) {
  if (window_) window_->close_dialog(form);
}

void QtPlatform::chart_show(const ChartPlan& plan) {
  if (window_) window_->show_chart(plan);
}

void QtPlatform::chart_hide() {
  if (window_) window_->hide_chart();
}

MessageAnswer QtPlatform::message_box(const std::string& text, const std::string& title,
                                      MessageButtons buttons, MessageIcon icon) {
  QMessageBox box(window_);
  box.setText(qs(text));
  box.setWindowTitle(qs(title));
  switch (icon) {
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
  }
  if (buttons == MessageButtons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return MessageAnswer::Ok;
}

MessageAnswer QtPlatform::ask_while_waiting(const std::string& text, const std::string& title,
                                            const std::function<bool()>& settled) {
  if (settled()) return MessageAnswer::No;
  QMessageBox box(window_);
  box.setText(qs(text));
  box.setWindowTitle(qs(title));
  box.setIcon(QMessageBox::Question);
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  // Not exec(): the game's own loop keeps running, so datagrams go on arriving
  // (and being answered) while the question is open.
  box.setWindowModality(Qt::WindowModal);
  int answer = -1;
  QObject::connect(&box, &QMessageBox::finished, &box, [&answer](int r) { answer = r; });
  box.open();
  while (answer < 0 && !quit_) {
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(250);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (answer < 0 && settled()) {
      box.done(QMessageBox::No);
      answer = QMessageBox::No;
    }
  }
  if (quit_) throw QuitRequested();
  return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void QtPlatform::yield() {
  if (quit_) throw QuitRequested();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (quit_) throw QuitRequested();
  if (after_events) after_events();
}

void QtPlatform::sleep_until_event(int max_ms) {
  if (quit_) throw QuitRequested();
  QTimer wake;
  wake.setSingleShot(true);
  if (max_ms >= 0) wake.start(max_ms);  // a timer event ends the sleep
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  if (quit_) throw QuitRequested();
  if (after_events) after_events();
}

bool QtPlatform::udp_bind(int local_port) {
  udp_close();
  auto sock = std::make_unique<QUdpSocket>();
  if (!sock->bind(QHostAddress::Any, quint16(local_port))) return false;
  // Room for a burst of stray datagrams without losing the partner's (the
  // kernel caps this at its own limit).
  sock->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, kUdpReceiveBuffer);
  // Datagrams are handed over while the game yields, like every other event.
  QObject::connect(sock.get(), &QUdpSocket::readyRead, sock.get(), [this, s = sock.get()] {
    while (s->hasPendingDatagrams()) {
      const QNetworkDatagram d = s->receiveDatagram(64 * 1024);
      QHostAddress from = d.senderAddress();
      bool v4 = false;
      const quint32 ip4 = from.toIPv4Address(&v4);
      if (v4) from = QHostAddress(ip4);
      if (on_datagram)
        on_datagram(d.data().toStdString(), from.toString().toStdString(), d.senderPort());
      if (udp_.get() != s) return;  // the handler left LAN mode
    }
  });
  udp_ = std::move(sock);
  return true;
}

bool QtPlatform::udp_set_remote(const std::string& host, int port) {
  remote_address_.clear();
  if (host.empty()) return false;
  QHostAddress addr;
  if (!addr.setAddress(qs(host))) {
    const QHostInfo info = QHostInfo::fromName(qs(host));
    for (const QHostAddress& a : info.addresses()) {
      if (a.protocol() == QAbstractSocket::IPv4Protocol) {
        addr = a;
        break;
      }
      if (addr.isNull()) addr = a;
    }
    if (addr.isNull()) return false;
  }
  remote_address_ = addr.toString().toStdString();
  remote_port_ = port;
  return true;
}

std::string QtPlatform::udp_remote_address() const { return remote_address_; }

bool QtPlatform::udp_send(const std::string& bytes) {
  if (!udp_ || remote_address_.empty()) return false;
  return udp_->writeDatagram(QByteArray(bytes.data(), qsizetype(bytes.size())),
                             QHostAddress(qs(remote_address_)), quint16(remote_port_)) ==
         qint64(bytes.size());
}

void QtPlatform::udp_close() {
  if (!udp_) return;
  udp_->close();
  // The socket may be closed from inside its own arrival handler.
  udp_.release()->deleteLater();
}

std::int64_t QtPlatform::now_ms() {
  static QElapsedTimer clock = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return clock.elapsed();
}

LocalTime QtPlatform::local_time() {
  QDateTime now = QDateTime::currentDateTime();
  LocalTime t;
  t.year = now.date().year();
  t.month = now.date().month();
  t.day = now.date().day();
  t.hour = now.time().hour();
  t.minute = now.time().minute();
  t.second = now.time().second();
  return t;
}

void QtPlatform::quit() {
  quit_ = true;
  QCoreApplication::quit();
}

namespace {
// Length of a PCM WAV file from its header, so a wait for the end of a sound is
// bounded even when the sound system never reports it; 0 when unreadable.
int wave_length_ms(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return 0;
  const QByteArray h = f.read(44);
  if (h.size() < 44 || !h.startsWith("RIFF")) return 0;
  auto u32 = [&](int o) {
    return quint32(uchar(h[o])) | quint32(uchar(h[o + 1])) << 8 | quint32(uchar(h[o + 2])) << 16 |
           quint32(uchar(h[o + 3])) << 24;
  };
  const quint32 bytes_per_second = u32(28);
  if (bytes_per_second == 0) return 0;
  return int(qint64(f.size() - 44) * 1000 / bytes_per_second);
}
}  // namespace

void declare_sound_role() {
  // PulseAudio (and PipeWire's server for it) takes client properties from
  // PULSE_PROP_* variables; the streams Qt opens inherit the role.
  ::setenv("PULSE_PROP_media.role", "game", 0);
}

void QtPlatform::set_sound_volume(int percent, bool muted) {
  volume_ = std::clamp(percent, 0, 100);
  muted_ = muted;
}

double QtPlatform::sound_gain(int percent, bool muted) {
  if (muted || percent <= 0) return 0;
  return QAudio::convertVolume(std::min(percent, 100) / 100.0, QAudio::LogarithmicVolumeScale,
                               QAudio::LinearVolumeScale);
}

bool QtPlatform::play_wave(const std::string& path) {
  const QString file = qs(path);
  if (!QFileInfo::exists(file)) return false;
  // Without a sound device nothing would ever finish playing.
  if (QMediaDevices::defaultAudioOutput().isNull()) return false;
  QSoundEffect effect;
  // A muted sound still plays to its end: the game keeps its pace.
  effect.setVolume(float(sound_gain(volume_, false)));
  effect.setMuted(muted_);
  effect.setSource(QUrl::fromLocalFile(file));
  QEventLoop loop;
  bool started = false;
  QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
    if (effect.status() == QSoundEffect::Ready && !started) {
      started = true;
      effect.play();
    } else if (effect.status() == QSoundEffect::Error) {
      loop.quit();
    }
  });
  QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
    if (started && !effect.isPlaying()) loop.quit();
  });
  QTimer::singleShot(wave_length_ms(file) + 400, &loop, &QEventLoop::quit);
  if (effect.status() == QSoundEffect::Ready) {
    started = true;
    effect.play();
  }
  // The game waits for the sound to end; keep painting but take no input.
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  effect.stop();
  return started;
}

void QtPlatform::stop_sound() {}

bool QtPlatform::another_instance_running() {
  // One copy per program folder: two copies kept in two folders may run side by
  // side (the two ends of a LAN match on one machine).
  const QString dir = QString::fromStdString(app_path());
  instance_lock_ = std::make_unique<QLockFile>(dir + QStringLiteral("/sekiba.lock"));
  instance_lock_->setStaleLockTime(0);
  return !instance_lock_->tryLock(0);
}

const FolderPlan& QtPlatform::folders() {
  if (!folders_)
    folders_ = plan_folders(QCoreApplication::applicationDirPath().toStdString(), user_data_folder());
  return *folders_;
}

std::string QtPlatform::app_path() { return folders().app_path; }

std::vector<std::string> QtPlatform::read_folders() { return folders().read_folders; }

std::string QtPlatform::config_folder() { return user_config_folder(); }

bool QtPlatform::shell_open(const std::string& target) {
  QString t = qs(target);
  QUrl url = QUrl::fromUserInput(t, QDir::currentPath(), QUrl::AssumeLocalFile);
  return QDesktopServices::openUrl(url);
}

void QtPlatform::set_clipboard(const std::string& utf8) {
  if (auto* cb = QGuiApplication::clipboard()) cb->setText(qs(utf8));
}

}  // namespace sekiba
