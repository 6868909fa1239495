-- Tables of the canteen schema. Loaded with the canteen schema as the default
-- database, so no schema name appears here.
--
-- Columns that some documented insert leaves out are NULL-able or have a
-- default, so that strict mode accepts every statement the program runs.

SET NAMES utf8mb4;

-- Orders: walk-in sales written by the program, student orders written by
-- the card system (order_rekening is then the buyer's card account).
CREATE TABLE IF NOT EXISTS data_barang_order (
  order_kode      VARCHAR(30)   NOT NULL,
  order_tanggal   DATE          NOT NULL,
  order_rekening  VARCHAR(20)   NULL,
  order_nama      VARCHAR(100)  NULL,
  order_kelas     VARCHAR(20)   NULL,
  order_harga     DECIMAL(15,2) NOT NULL DEFAULT 0,
  order_waktu     INT           NULL,
  order_kampus    VARCHAR(100)  NULL,
  order_status    TINYINT       NOT NULL DEFAULT 1,
  order_reg_date  DATETIME      NULL,
  order_reg_alias VARCHAR(60)   NULL,
  PRIMARY KEY (order_kode),
  KEY idx_order_tanggal (order_tanggal, order_status)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Order lines. list_id only keeps the lines of an order in the order they
-- were written (receipts print them in that order).
CREATE TABLE IF NOT EXISTS data_barang_order_list (
  list_id          BIGINT        NOT NULL AUTO_INCREMENT,
  list_order       VARCHAR(30)   NOT NULL,
  list_barang      VARCHAR(10)   NOT NULL,
  list_barang_nama VARCHAR(100)  NULL,
  list_harga       DECIMAL(15,2) NOT NULL DEFAULT 0,
  list_qty         INT           NOT NULL DEFAULT 0,
  list_jumlah      DECIMAL(15,2) NOT NULL DEFAULT 0,
  list_status      TINYINT       NOT NULL DEFAULT 1,
  list_reg_date    DATETIME      NULL,
  list_reg_alias   VARCHAR(60)   NULL,
  PRIMARY KEY (list_id),
  KEY idx_list_order (list_order, list_barang),
  KEY idx_list_barang (list_barang)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Menu items. barang_status holds a code of code list "02".
CREATE TABLE IF NOT EXISTS data_barang (
  barang_kode        VARCHAR(10)   NOT NULL,
  barang_nama        VARCHAR(100)  NOT NULL,
  barang_harga_pokok DECIMAL(15,2) NOT NULL DEFAULT 0,
  barang_harga_jual  DECIMAL(15,2) NOT NULL DEFAULT 0,
  barang_stok_harian INT           NOT NULL DEFAULT 0,
  barang_waktu       INT           NULL,
  barang_status      VARCHAR(2)    NOT NULL DEFAULT '1',
  barang_reg_date    DATETIME      NULL,
  barang_reg_alias   VARCHAR(60)   NULL,
  barang_upd_date    DATETIME      NULL,
  barang_upd_alias   VARCHAR(60)   NULL,
  PRIMARY KEY (barang_kode)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Meal time slots.
CREATE TABLE IF NOT EXISTS set_waktu (
  waktu_id   INT         NOT NULL AUTO_INCREMENT,
  waktu_nama VARCHAR(60) NOT NULL,
  PRIMARY KEY (waktu_id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Receipt settings. A key may occur more than once (the last row read wins),
-- so cetakan_case is not unique; cetakan_id keeps the rows in written order.
CREATE TABLE IF NOT EXISTS set_cetakan (
  cetakan_id   INT          NOT NULL AUTO_INCREMENT,
  cetakan_case VARCHAR(50)  NOT NULL,
  cetakan_text VARCHAR(255) NULL,
  PRIMARY KEY (cetakan_id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Application settings, same shape and rules as set_cetakan.
CREATE TABLE IF NOT EXISTS set_app (
  app_id   INT          NOT NULL AUTO_INCREMENT,
  app_case VARCHAR(50)  NOT NULL,
  app_text VARCHAR(255) NULL,
  PRIMARY KEY (app_id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- One row per login.
CREATE TABLE IF NOT EXISTS log_login (
  log_id         BIGINT       NOT NULL AUTO_INCREMENT,
  log_alias      VARCHAR(60)  NULL,
  log_tanggal    DATETIME     NOT NULL,
  log_ipaddress  VARCHAR(45)  NULL,
  log_hostname   VARCHAR(255) NULL,
  log_macaddress VARCHAR(60)  NULL,
  log_version    VARCHAR(30)  NULL,
  log_session    VARCHAR(20)  NULL,
  PRIMARY KEY (log_id),
  KEY idx_log_tanggal (log_tanggal)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Small code lists: "01" user kinds, "02" statuses, "03" group access kinds.
CREATE TABLE IF NOT EXISTS kode_komponen (
  combo_komponen VARCHAR(2)   NOT NULL,
  combo_kode     VARCHAR(10)  NOT NULL,
  combo_text     VARCHAR(100) NOT NULL,
  PRIMARY KEY (combo_komponen, combo_kode)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Campuses orders are delivered to.
CREATE TABLE IF NOT EXISTS set_kampus (
  kampus_id   INT          NOT NULL AUTO_INCREMENT,
  kampus_nama VARCHAR(100) NOT NULL,
  PRIMARY KEY (kampus_id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- User groups. The group editor inserts by position: keep the column order.
-- group_kode is numeric so that MAX() numbers the next group correctly.
CREATE TABLE IF NOT EXISTS data_pengguna_group (
  group_kode       INT          NOT NULL,
  group_nama       VARCHAR(100) NOT NULL,
  group_akses      VARCHAR(1)   NULL,
  group_cadangan   VARCHAR(100) NULL,
  group_keterangan VARCHAR(255) NULL,
  group_reg_date   DATETIME     NULL,
  group_reg_ip     VARCHAR(45)  NULL,
  group_reg_alias  VARCHAR(60)  NULL,
  group_upd_date   DATETIME     NULL,
  group_upd_ip     VARCHAR(45)  NULL,
  group_upd_alias  VARCHAR(60)  NULL,
  PRIMARY KEY (group_kode)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Menu rights, one row per group and catalogue entry. Also inserted by
-- position. A group's rows are deleted and rewritten on every save, so
-- (menu_group, menu_kode) is indexed but not unique.
CREATE TABLE IF NOT EXISTS kode_menu (
  menu_id        INT          NOT NULL AUTO_INCREMENT,
  menu_group     INT          NOT NULL,
  menu_kode      VARCHAR(20)  NOT NULL,
  menu_induk     VARCHAR(20)  NULL,
  menu_label     VARCHAR(100) NULL,
  menu_set       VARCHAR(1)   NOT NULL DEFAULT '0',
  menu_reg_date  DATETIME     NULL,
  menu_reg_ip    VARCHAR(45)  NULL,
  menu_reg_alias VARCHAR(60)  NULL,
  PRIMARY KEY (menu_id),
  KEY idx_menu_group (menu_group, menu_set, menu_kode)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Catalogue of menu entries, reference data for the rights editor.
CREATE TABLE IF NOT EXISTS data_menu_master (
  menu_kode   VARCHAR(20)  NOT NULL,
  menu_label  VARCHAR(100) NOT NULL,
  menu_status TINYINT      NOT NULL DEFAULT 1,
  PRIMARY KEY (menu_kode)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- User accounts. A new user is inserted with user_id and user_alias only and
-- completed by an UPDATE, so every other column is NULL-able.
CREATE TABLE IF NOT EXISTS data_pengguna_alias (
  user_id         VARCHAR(10)  NOT NULL,
  user_alias      VARCHAR(60)  NOT NULL,
  user_nama       VARCHAR(100) NULL,
  user_group      INT          NULL,
  user_jenis      VARCHAR(10)  NULL,
  user_status     VARCHAR(2)   NULL,
  user_keterangan VARCHAR(255) NULL,
  user_pwd        VARCHAR(32)  NULL,
  user_reg_date   DATETIME     NULL,
  user_reg_ip     VARCHAR(45)  NULL,
  user_reg_alias  VARCHAR(60)  NULL,
  user_upd_date   DATETIME     NULL,
  user_upd_ip     VARCHAR(45)  NULL,
  user_upd_alias  VARCHAR(60)  NULL,
  user_exp_date   DATE         NULL,
  user_cluster    VARCHAR(10)  NULL,
  user_bpr        VARCHAR(10)  NULL,
  user_session    VARCHAR(20)  NULL,
  user_last_login DATETIME     NULL,
  PRIMARY KEY (user_id),
  UNIQUE KEY uq_user_alias (user_alias)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- One row per password change.
CREATE TABLE IF NOT EXISTS log_password (
  log_id      INT         NOT NULL AUTO_INCREMENT,
  log_date    DATE        NOT NULL,
  log_time    TIME        NOT NULL,
  log_user    VARCHAR(60) NULL,
  log_version VARCHAR(30) NULL,
  PRIMARY KEY (log_id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- The canteen's transaction rows of card orders, written by the card system;
-- the program only cancels them (trans_status 9).
CREATE TABLE IF NOT EXISTS data_transaksi (
  trans_id        VARCHAR(30)   NOT NULL,
  trans_tanggal   DATE          NOT NULL,
  trans_order     VARCHAR(30)   NOT NULL,
  trans_rekening  VARCHAR(20)   NULL,
  trans_jumlah    DECIMAL(15,2) NOT NULL DEFAULT 0,
  trans_status    TINYINT       NOT NULL DEFAULT 1,
  trans_reg_date  DATETIME      NULL,
  trans_reg_alias VARCHAR(60)   NULL,
  PRIMARY KEY (trans_id),
  KEY idx_transaksi_order (trans_order)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Log of institution transfers, one row per transfer (the withdrawal's id).
CREATE TABLE IF NOT EXISTS data_transaksi_madamat (
  trans_id            VARCHAR(30)   NOT NULL,
  trans_tanggal       DATE          NOT NULL,
  trans_kode          VARCHAR(4)    NULL,
  trans_kantor        VARCHAR(4)    NULL,
  trans_rekening      VARCHAR(20)   NULL,
  trans_nasabah       VARCHAR(20)   NULL,
  trans_nasabah_nama  VARCHAR(100)  NULL,
  trans_nasabah_kelas VARCHAR(20)   NULL,
  trans_channel       VARCHAR(20)   NULL,
  trans_rfid          VARCHAR(30)   NULL,
  trans_jumlah        DECIMAL(15,2) NOT NULL DEFAULT 0,
  trans_saldo_awal    DECIMAL(15,2) NULL,
  trans_saldo_akhir   DECIMAL(15,2) NULL,
  trans_uraian        VARCHAR(255)  NULL,
  trans_status        TINYINT       NOT NULL DEFAULT 0,
  trans_reg_date      DATE          NULL,
  trans_reg_time      DATETIME      NULL,
  trans_reg_alias     VARCHAR(60)   NULL,
  PRIMARY KEY (trans_id),
  KEY idx_madamat_reg_time (trans_reg_time)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Clusters and offices, shown by name in the user list.
CREATE TABLE IF NOT EXISTS data_cluster (
  cluster_kode VARCHAR(10)  NOT NULL,
  cluster_nama VARCHAR(100) NOT NULL,
  PRIMARY KEY (cluster_kode)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE IF NOT EXISTS data_bpr (
  bpr_kode VARCHAR(10)  NOT NULL,
  bpr_nama VARCHAR(100) NOT NULL,
  PRIMARY KEY (bpr_kode)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;
