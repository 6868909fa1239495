-- Stored functions the canteen client calls inside its SQL, without a schema
-- prefix. Loaded with the canteen schema as the default database.
-- Lookups return NULL for a code they do not know.

DELIMITER //

DROP FUNCTION IF EXISTS GetWaktu //
CREATE FUNCTION GetWaktu(p_waktu INT)
RETURNS VARCHAR(60)
NOT DETERMINISTIC READS SQL DATA
BEGIN
  RETURN (SELECT waktu_nama FROM set_waktu WHERE waktu_id = p_waktu);
END //

-- Daily stock minus what today's active orders took of the item; cancelled
-- orders and cancelled lines give their quantity back. Runs once per row of
-- the catalogue list, so it starts from today's orders (few, by the date
-- index) rather than from every line the item ever had.
DROP FUNCTION IF EXISTS GetBarangSisa //
CREATE FUNCTION GetBarangSisa(p_barang VARCHAR(10))
RETURNS INT
NOT DETERMINISTIC READS SQL DATA
BEGIN
  DECLARE v_stok INT;
  SET v_stok = (SELECT barang_stok_harian FROM data_barang WHERE barang_kode = p_barang);
  IF v_stok IS NULL THEN
    RETURN NULL;
  END IF;
  RETURN v_stok - (SELECT IFNULL(SUM(l.list_qty), 0)
                     FROM data_barang_order o
                     STRAIGHT_JOIN data_barang_order_list l
                       ON l.list_order = o.order_kode
                      AND l.list_barang = p_barang
                      AND l.list_status = 1
                    WHERE o.order_tanggal = CURDATE()
                      AND o.order_status = 1);
END //

DROP FUNCTION IF EXISTS GetBarangHargaPokok //
CREATE FUNCTION GetBarangHargaPokok(p_barang VARCHAR(10))
RETURNS DECIMAL(15,2)
NOT DETERMINISTIC READS SQL DATA
BEGIN
  RETURN (SELECT barang_harga_pokok FROM data_barang WHERE barang_kode = p_barang);
END //

DROP FUNCTION IF EXISTS GetGroupNama //
CREATE FUNCTION GetGroupNama(p_group INT)
RETURNS VARCHAR(100)
NOT DETERMINISTIC READS SQL DATA
BEGIN
  RETURN (SELECT group_nama FROM data_pengguna_group WHERE group_kode = p_group);
END //

DROP FUNCTION IF EXISTS GetGroupJenis //
CREATE FUNCTION GetGroupJenis(p_akses VARCHAR(10))
RETURNS VARCHAR(100)
NOT DETERMINISTIC READS SQL DATA
BEGIN
  RETURN (SELECT combo_text FROM kode_komponen
           WHERE combo_komponen = '03' AND combo_kode = p_akses);
END //

-- Granted entries only: a group's rows cover the whole catalogue, most of
-- them with menu_set '0'.
DROP FUNCTION IF EXISTS GetGroupJumlah //
CREATE FUNCTION GetGroupJumlah(p_group INT)
RETURNS INT
NOT DETERMINISTIC READS SQL DATA
BEGIN
  RETURN (SELECT COUNT(*) FROM kode_menu
           WHERE menu_group = p_group AND menu_set = '1');
END //

DROP FUNCTION IF EXISTS GetUserStatus //
CREATE FUNCTION GetUserStatus(p_status VARCHAR(10))
RETURNS VARCHAR(100)
NOT DETERMINISTIC READS SQL DATA
BEGIN
  RETURN (SELECT combo_text FROM kode_komponen
           WHERE combo_komponen = '02' AND combo_kode = p_status);
END //

DROP FUNCTION IF EXISTS GetUserJenis //
CREATE FUNCTION GetUserJenis(p_jenis VARCHAR(10))
RETURNS VARCHAR(100)
NOT DETERMINISTIC READS SQL DATA
BEGIN
  RETURN (SELECT combo_text FROM kode_komponen
           WHERE combo_komponen = '01' AND combo_kode = p_jenis);
END //

DROP FUNCTION IF EXISTS GetClusterNama //
CREATE FUNCTION GetClusterNama(p_cluster VARCHAR(10))
RETURNS VARCHAR(100)
NOT DETERMINISTIC READS SQL DATA
BEGIN
  RETURN (SELECT cluster_nama FROM data_cluster WHERE cluster_kode = p_cluster);
END //

DROP FUNCTION IF EXISTS GetBprNama //
CREATE FUNCTION GetBprNama(p_bpr VARCHAR(10))
RETURNS VARCHAR(100)
NOT DETERMINISTIC READS SQL DATA
BEGIN
  RETURN (SELECT bpr_nama FROM data_bpr WHERE bpr_kode = p_bpr);
END //

DELIMITER ;
